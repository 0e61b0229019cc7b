#pragma once
// A label that reacts to a click, for the addresses the About and Getting Started windows show.

#include <QLabel>

namespace tally::desk {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text = {}, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace tally::desk
