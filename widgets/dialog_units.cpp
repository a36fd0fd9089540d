#include "widgets/dialog_units.h"

#include "widgets/drawing_resources.h"

#include <QFontMetrics>
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace r7t::ui {

DialogUnits::DialogUnits(const QFont& dialogFont)
{
    // The average width of the 52 letters, rounded, as the dialog base unit
    // has always been measured.
    const QFontMetrics fm(dialogFont);
    const int letters = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    charWidth_ = std::max(1, (letters / 26 + 1) / 2);
    charHeight_ = std::max(1, fm.height());
}

QRect DialogUnits::rect(int x, int y, int width, int height) const
{
    return QRect(this->x(x), this->y(y), this->x(width), this->y(height));
}

QFont dialogFont(const QString& face, int points)
{
    QFont font(face);
    font.setPointSize(points);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QVector<int> designTabStops(const DialogUnits& units, std::initializer_list<int> pixels)
{
    QVector<int> stops;
    for (int pixel : pixels)
        stops.push_back(units.x(pixel / 2));
    return stops;
}

DialogUnits useTemplateFont(QWidget* dialog)
{
    const QFont font = dialogFont(QStringLiteral("MS Sans Serif"), 10);
    dialog->setFont(font);
    return DialogUnits(font);
}

void place(QWidget* control, int id, const DialogUnits& units, int x, int y, int width, int height)
{
    control->setObjectName(controlName(id));
    control->setGeometry(units.rect(x, y, width, height));
}

QPushButton* addButton(QWidget* dialog, int id, const QString& text, const DialogUnits& units, int x, int y,
                       int width, int height)
{
    auto* button = new QPushButton(text, dialog);
    place(button, id, units, x, y, width, height);
    button->setAutoDefault(false);
    return button;
}

QLabel* addStatic(QWidget* dialog, int id, const QString& text, const DialogUnits& units, int x, int y, int width,
                  int height, Qt::Alignment alignment)
{
    auto* label = new QLabel(text, dialog);
    place(label, id, units, x, y, width, height);
    label->setAlignment(alignment);
    label->setWordWrap(true);
    return label;
}

QLineEdit* addEdit(QWidget* dialog, int id, const DialogUnits& units, int x, int y, int width, int height)
{
    auto* edit = new QLineEdit(dialog);
    place(edit, id, units, x, y, width, height);
    return edit;
}

void MajStrDlg(QWidget* dialog, int id, int n)
{
    QWidget* target = control(dialog, id);
    const QString text = controlString(n);
    if (auto* button = qobject_cast<QAbstractButton*>(target))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(target))
        label->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(target))
        edit->setText(text);
}

void MajStrTitre(QWidget* window, int n) { window->setWindowTitle(controlString(n)); }

void labelField(QLabel* label, QWidget* field)
{
    label->setBuddy(field);
    QString name = label->text().remove(QLatin1Char('&')).simplified();
    if (name.endsWith(QLatin1Char(':')))
        name = name.chopped(1).trimmed();
    field->setAccessibleName(name);
}

} // namespace r7t::ui
