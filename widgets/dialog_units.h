// Dialogs are laid out at the rectangles of their templates, in dialog units
// of the dialog's font: x * average character width / 4, y * character
// height / 8.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>
#include <QWidget>

#include <initializer_list>

class QLabel;
class QLineEdit;
class QPushButton;

namespace r7t::ui {

class DialogUnits {
public:
    explicit DialogUnits(const QFont& dialogFont);

    int averageCharWidth() const { return charWidth_; }
    int charHeight() const { return charHeight_; }

    int x(int units) const { return units * charWidth_ / 4; }
    int y(int units) const { return units * charHeight_ / 8; }
    QRect rect(int x, int y, int width, int height) const;
    QSize size(int width, int height) const { return {x(width), this->y(height)}; }

private:
    int charWidth_ = 4;
    int charHeight_ = 8;
};

// List tab stops given in pixels of the 1024 x 768 design, drawn at two
// pixels per dialog unit.
QVector<int> designTabStops(const DialogUnits& units, std::initializer_list<int> pixels);

// The dialog fonts the templates name.
QFont dialogFont(const QString& face, int points);

// Gives the dialog the font of the program's templates, "MS Sans Serif" 10,
// and returns its units, to place the controls with.
DialogUnits useTemplateFont(QWidget* dialog);

// Places a control at a template rectangle and gives it its id.
void place(QWidget* control, int id, const DialogUnits& units, int x, int y, int width, int height);

// Template controls: a push button, a static text, an edit field.
QPushButton* addButton(QWidget* dialog, int id, const QString& text, const DialogUnits& units, int x, int y,
                       int width, int height);
QLabel* addStatic(QWidget* dialog, int id, const QString& text, const DialogUnits& units, int x, int y, int width,
                  int height, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);
QLineEdit* addEdit(QWidget* dialog, int id, const DialogUnits& units, int x, int y, int width, int height);

// Names the field after its label, for assistive technology and for the
// keyboard (the label's "&" letter): the label's text without "&" or a
// closing colon.
void labelField(QLabel* label, QWidget* field);

// Sets a control's text from the table: the control with that id gets
// string n (with the language offset).
void MajStrDlg(QWidget* dialog, int id, int n);
// Sets a window's title from the table: string n.
void MajStrTitre(QWidget* window, int n);

// The control with that id among the widget's descendants, or null.
template <typename T = QWidget>
T* control(const QWidget* parent, int id)
{
    return parent->findChild<T*>(QStringLiteral("id%1").arg(id));
}

} // namespace r7t::ui
