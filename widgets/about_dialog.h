// The "ABOUT" dialog: the program's purpose, credits, disclaimer and version,
// with the emblem and the club logo.
#pragma once

#include <QDialog>

namespace r7t::ui {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace r7t::ui
