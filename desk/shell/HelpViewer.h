#pragma once
// The help window: a compiled help file's contents and index beside the page shown.

#include <cstdint>
#include <memory>

#include <QUrl>
#include <QWidget>

class QHelpEngine;
class QLineEdit;
class QTabWidget;
class QTemporaryDir;
class QTextBrowser;

namespace tally::desk {

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    // `helpFile` is the .qch; its collection (.qhc) beside it is opened read-only.
    explicit HelpViewer(const QString& helpFile, QWidget* owner = nullptr);
    ~HelpViewer() override;

    void showContents();
    void showIndex();
    // The topic of a context id; the start page when the id has none.
    void showContext(std::int32_t contextId);
    void showPage(const QUrl& url);
    // Opens centred on the screen of `reference` (the primary screen without one), within its available area.
    void placeOnScreenOf(const QWidget* reference);

    QHelpEngine& engine() { return *engine_; }
    QTabWidget& tabs() { return *tabs_; }
    QTextBrowser& browser() { return *browser_; }
    QUrl currentPage() const;

    static QString contextIdentifier(std::int32_t contextId);

private:
    void present(int tab);
    void showStartPage();

    std::unique_ptr<QTemporaryDir> privateCollection_;
    QHelpEngine* engine_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QLineEdit* indexFilter_ = nullptr;
    QTextBrowser* browser_ = nullptr;
};

}  // namespace tally::desk
