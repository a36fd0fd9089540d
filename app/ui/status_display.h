// The main window's client area: the status display drawn at each paint
// (banner, emblem, the two boxes with the contest's identity and progress,
// the file name), the three edit fields of the header and the five buttons.
#pragma once

#include "contest/contest.h"

#include <QPushButton>
#include <QWidget>

#include <array>

class QLineEdit;

namespace r7t::ui {

struct ScreenScale;

// The five large buttons: a raised panel with the label centred in the
// medium font, blue.
class MainButton : public QPushButton {
    Q_OBJECT
public:
    MainButton(int id, const QString& label, QWidget* parent);
    int id() const { return id_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int id_;
};

class StatusDisplay : public QWidget {
    Q_OBJECT
public:
    // Edit field ids of the title, date and place.
    static constexpr int kTitleField = 4;
    static constexpr int kDateField = 5;
    static constexpr int kPlaceField = 6;
    // The button ids in their order; 201 takes no place.
    static constexpr std::array<int, 6> kButtonIds{200, 201, 202, 203, 116, 102};

    StatusDisplay(Contest& contest, QWidget* parent = nullptr);

    // The file name shown at the bottom (szFileTitle).
    void setFileTitle(const QString& title);
    const QString& fileTitle() const { return fileTitle_; }

    // The fields from the header (the loaded contest fills them).
    void fieldsFromHeader();
    // Focus on the title field, caret at its end.
    void focusTitle();

    QLineEdit* field(int id) const;
    MainButton* button(int id) const;

    // redrawCounters: the lower box is drawn again.
    void redrawCounters();
    // The lower box, in pixels.
    QRect lowerBox() const;

Q_SIGNALS:
    void buttonClicked(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fieldEdited(int id, const QString& text);
    void layoutChildren();

    Contest& contest_;
    QString fileTitle_;
    std::array<QLineEdit*, 3> fields_{};
    std::array<MainButton*, 5> buttons_{};
};

} // namespace r7t::ui
