#pragma once

#include <QTabWidget>

namespace lumotrix {

// Pages with their tabs along the bottom edge.
class PageControlWidget : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControlWidget(QWidget* parent = nullptr);
    // Adds a page; its accessible name follows the tab caption.
    QWidget* AddPage(const QString& caption);
    void SetPageCaption(int index, const QString& caption);

protected:
    void changeEvent(QEvent* event) override;

private:
    void NameForAssistiveTools();
};

} // namespace lumotrix
