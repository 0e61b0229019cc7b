#include "HelpViewer.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QLineEdit>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ScreenPlace.h"
#include "Twips.h"

namespace tally::desk {

namespace {

// Serves the pages, style sheets and pictures of the help file to the browser.
class HelpBrowser final : public QTextBrowser {
public:
    HelpBrowser(QHelpEngine& engine, QWidget* parent) : QTextBrowser(parent), engine_(engine) {
        setOpenLinks(true);
        setOpenExternalLinks(false);
    }

    QVariant loadResource(int type, const QUrl& name) override {
        QUrl url = name;
        if (url.isRelative()) url = source().resolved(url);
        if (url.scheme() == QLatin1String("qthelp")) return engine_.fileData(url);
        return QTextBrowser::loadResource(type, name);
    }

private:
    QHelpEngine& engine_;
};

}  // namespace

HelpViewer::HelpViewer(const QString& helpFile, QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("frmHelp"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tallyvane Help"));
    resize(ui::toPixels(12000), ui::toPixels(8000));

    const QFileInfo file(helpFile);
    QString collection = file.absoluteDir().filePath(file.completeBaseName() + QStringLiteral(".qhc"));
    const bool shipped = QFileInfo::exists(collection);
    if (!shipped) {
        // Without the shipped collection, a private one is made for this window.
        privateCollection_ = std::make_unique<QTemporaryDir>();
        collection = privateCollection_->filePath(QStringLiteral("help.qhc"));
    }
    engine_ = new QHelpEngine(collection, this);
    engine_->setReadOnly(shipped);
    engine_->setupData();
    if (!shipped) engine_->registerDocumentation(file.absoluteFilePath());

    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("tabHelp"));
    tabs_->addTab(engine_->contentWidget(), QStringLiteral("Contents"));
    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexFilter_ = new QLineEdit;
    indexFilter_->setObjectName(QStringLiteral("txtIndex"));
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(engine_->indexWidget());
    tabs_->addTab(indexPage, QStringLiteral("Index"));

    browser_ = new HelpBrowser(*engine_, this);
    browser_->setObjectName(QStringLiteral("txtTopic"));

    auto* splitter = new QSplitter;
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setSizes({ui::toPixels(4500), ui::toPixels(7500)});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, engine_->contentWidget(),
            [this] { engine_->contentWidget()->expandToDepth(0); });
    connect(engine_->contentWidget(), &QHelpContentWidget::linkActivated, this, &HelpViewer::showPage);
    connect(engine_->indexWidget(), &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& link, const QString&) { showPage(link.url); });
    connect(engine_->indexWidget(), &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink>& links, const QString&) {
                if (!links.isEmpty()) showPage(links.front().url);
            });
    connect(indexFilter_, &QLineEdit::textChanged, engine_->indexWidget(),
            [this](const QString& text) { engine_->indexWidget()->filterIndices(text); });
    connect(indexFilter_, &QLineEdit::returnPressed, engine_->indexWidget(), &QHelpIndexWidget::activateCurrentItem);

    showStartPage();
}

HelpViewer::~HelpViewer() = default;

QString HelpViewer::contextIdentifier(std::int32_t contextId) {
    return QStringLiteral("tally.context.%1").arg(contextId);
}

void HelpViewer::showStartPage() {
    const QStringList namespaces = engine_->registeredDocumentations();
    if (namespaces.isEmpty()) return;
    showPage(QUrl(QStringLiteral("qthelp://%1/doc/index.html").arg(namespaces.front())));
}

void HelpViewer::showPage(const QUrl& url) { browser_->setSource(url); }

void HelpViewer::placeOnScreenOf(const QWidget* reference) {
    const QScreen* screen = reference ? reference->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    // The frame this window will get is best guessed from a window that has one already.
    const QSize frame = frameAround(reference ? *reference->window() : *this);
    const QRect outer = centredInside(size() + frame, screen->availableGeometry());
    resize(outer.size() - frame);
    move(outer.topLeft());
}
QUrl HelpViewer::currentPage() const { return browser_->source(); }

void HelpViewer::present(int tab) {
    tabs_->setCurrentIndex(tab);
    show();
    raise();
    activateWindow();
}

void HelpViewer::showContents() { present(0); }

void HelpViewer::showIndex() {
    present(1);
    indexFilter_->setFocus();
}

void HelpViewer::showContext(std::int32_t contextId) {
    const QList<QHelpLink> links = engine_->documentsForIdentifier(contextIdentifier(contextId));
    if (links.isEmpty())
        showStartPage();
    else
        showPage(links.front().url);
    present(0);
}

}  // namespace tally::desk
