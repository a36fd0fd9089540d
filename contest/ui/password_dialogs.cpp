#include "contest/ui/password_dialogs.h"

#include "widgets/cp1252_validator.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace r7t::ui {

namespace {

// Both dialogs have no caption: a raised border shows their edge.
void paintBorder(QWidget* dialog)
{
    QPainter painter(dialog);
    const QRect r = dialog->rect().adjusted(0, 0, -1, -1);
    painter.setPen(dialog->palette().color(QPalette::Light));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(dialog->palette().color(QPalette::Dark));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

constexpr int kTypedLength = 62; // what the edit is read up to

} // namespace

CreatePasswordDialog::CreatePasswordDialog(Contest& contest, QWidget* parent)
    : ButtonsOnlyDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , contest_(contest)
{
    setObjectName(QStringLiteral("CREEPASS"));
    const DialogUnits du = useTemplateFont(this);
    setFixedSize(du.size(175, 90));

    auto* ok = addButton(this, 1, controlString(35), du, 108, 66, 50, 14);
    ok->setDefault(true);
    addStatic(this, 515, controlString(515), du, 20, 8, 140, 24);
    edit_ = addEdit(this, 522, du, 54, 44, 67, 12);
    edit_->setMaxLength(kTypedLength);
    refuseUnstorableCharacters(edit_);
    edit_->clear();
    addStatic(this, 516, controlString(516), du, 20, 66, 64, 12);
    edit_->setFocus();

    connect(ok, &QPushButton::clicked, this, [this] {
        setPassword(contest_, edit_->text().toStdString());
        finish(1);
    });
}



void CreatePasswordDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    paintBorder(this);
}

PasswordDialog::PasswordDialog(const Contest& contest, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , contest_(contest)
{
    setObjectName(QStringLiteral("PASSWORD"));
    const DialogUnits du = useTemplateFont(this);
    setFixedSize(du.size(147, 89));

    auto* ok = addButton(this, 1, QStringLiteral("OK"), du, 84, 64, 50, 14);
    ok->setDefault(true);
    auto* abandon = addButton(this, 2, controlString(38), du, 8, 64, 50, 14);
    addStatic(this, 521, controlString(521), du, 16, 8, 120, 24, Qt::AlignHCenter | Qt::AlignTop);
    edit_ = addEdit(this, 522, du, 44, 40, 68, 12);
    edit_->setMaxLength(kTypedLength);
    refuseUnstorableCharacters(edit_);
    // Typed where others may look on: the characters are not shown.
    edit_->setEchoMode(QLineEdit::Password);
    edit_->clear();
    edit_->setFocus();

    connect(ok, &QPushButton::clicked, this, [this] {
        typed_ = edit_->text().toStdString();
        done(passwordMatches(contest_, *typed_) ? 1 : 0);
    });
    connect(abandon, &QPushButton::clicked, this, [this] {
        typed_.reset();
        done(0);
    });
}

void PasswordDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    paintBorder(this);
}

void askNewPassword(Contest& contest, QWidget* parent)
{
    CreatePasswordDialog dialog(contest, parent);
    dialog.exec();
}

std::optional<std::string> askPassword(const Contest& contest, QWidget* parent)
{
    PasswordDialog dialog(contest, parent);
    dialog.exec();
    return dialog.typed();
}

} // namespace r7t::ui
