#include "installer/ui/installer_dialogs.h"

#include "installer/install.h"
#include "installer/ui/installer_strings.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"

#include "string_table/formats.h"

#include <QFileDialog>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>

#include <memory>

namespace r7t::installer::ui {

using r7t::ui::addButton;
using r7t::ui::addEdit;
using r7t::ui::addStatic;
using r7t::ui::controlString;

namespace {

// The installer's pictures live under their own prefix, apart from the
// contest program's.
QSvgRenderer* renderer(const QString& name)
{
    static QHash<QString, std::shared_ptr<QSvgRenderer>> cache;
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.insert(name, std::make_shared<QSvgRenderer>(QStringLiteral(":/install_r7t/%1.svg").arg(name)));
    return it->get()->isValid() ? it->get() : nullptr;
}

} // namespace

QSize installerPictureSize(const QString& name)
{
    QSvgRenderer* r = renderer(name);
    return r ? r->viewBox().size() : QSize();
}

void drawInstallerPicture(QPainter& painter, const QString& name, int x, int y)
{
    if (QSvgRenderer* r = renderer(name))
        r->render(&painter, QRectF(QPointF(x, y), QSizeF(r->viewBox().size())));
}

QString askFolderWithPlatformDialog(QWidget* parent, const QString& title)
{
    return QFileDialog::getExistingDirectory(parent, title, QStringLiteral("/"), QFileDialog::ShowDirsOnly);
}

FolderChoiceDialog::FolderChoiceDialog(const QString& proposed, FolderAsker asker, QWidget* parent)
    : QDialog(parent), asker_(std::move(asker))
{
    const auto units = r7t::ui::useTemplateFont(this);
    setFixedSize(units.size(240, 120));
    setWindowTitle(controlString(kChoiceTitle));
    addStatic(this, 202, controlString(kChoiceQuestion), units, 80, 19, 140, 28, Qt::AlignHCenter | Qt::AlignTop);
    field_ = addEdit(this, 200, units, 10, 52, 220, 12);
    field_->setText(proposed);
    addStatic(this, 203, controlString(kChoiceOr), units, 12, 68, 156, 20);
    // The field is named after the question it answers.
    field_->setAccessibleName(controlString(kChoiceQuestion).simplified());
    QPushButton* browse = addButton(this, 201, controlString(kBrowse), units, 182, 68, 48, 12);
    QPushButton* abandon = addButton(this, 2, controlString(kAbandon), units, 118, 96, 48, 12);
    QPushButton* proceed = addButton(this, 1, controlString(kContinue), units, 182, 96, 48, 12);
    proceed->setDefault(true);
    connect(browse, &QPushButton::clicked, this, &FolderChoiceDialog::browse);
    connect(abandon, &QPushButton::clicked, this, [this] { done(0); });
    connect(proceed, &QPushButton::clicked, this, [this] { done(1); });
}

QString FolderChoiceDialog::folder() const { return field_->text(); }

void FolderChoiceDialog::browse()
{
    const QString chosen = asker_ ? asker_(this, controlString(kBrowseTitle)) : QString();
    if (chosen.isEmpty())
        return;
    field_->setText(QString::fromStdString(withoutTrailingSeparator(chosen.toStdString())));
}

void FolderChoiceDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawInstallerPicture(painter, QStringLiteral("LOGO_R7S"), 20, 20);
}

ErrorDialog::ErrorDialog(const QString& message, const QString& file, QWidget* parent) : QDialog(parent)
{
    const auto units = r7t::ui::useTemplateFont(this);
    setFixedSize(units.size(160, 99));
    setWindowTitle(controlString(kErrorTitle));
    // Two lines where the font is wider than the template's; the "!" stays
    // with its word, as French typography binds it.
    QString happened = controlString(kErrorHappened);
    happened.replace(QStringLiteral(" !"), QStringLiteral("\u00A0!"));
    addStatic(this, -1, happened, units, 68, 8, 84, 24);
    message_ = addStatic(this, 300, message + QLatin1Char('\n') + file, units, 12, 45, 136, 27);
    QPushButton* ok = addButton(this, 1, controlString(kOk), units, 100, 76, 50, 14);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QString ErrorDialog::messageShown() const { return message_->text(); }

void ErrorDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawInstallerPicture(painter, QStringLiteral("ALERTE"), 15, 15);
}

SuccessDialog::SuccessDialog(const QString& documentsName, QWidget* parent) : QDialog(parent)
{
    const auto units = r7t::ui::useTemplateFont(this);
    setFixedSize(units.size(161, 106));
    setWindowTitle(controlString(kSuccessTitle));
    addStatic(this, -1, controlString(kSuccess), units, 76, 8, 73, 20, Qt::AlignHCenter | Qt::AlignTop)
        ->setWordWrap(true);
    message_ = addStatic(this, 101, r7t::ui::tableText(formatText(kDataFolderMade, documentsName.toStdString())),
                         units, 12, 64, 112, 24, Qt::AlignHCenter | Qt::AlignTop);
    message_->setWordWrap(true);
    QPushButton* ok = addButton(this, 1, controlString(kOk), units, 88, 40, 50, 14);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QString SuccessDialog::messageShown() const { return message_->text(); }

void SuccessDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawInstallerPicture(painter, QStringLiteral("LOGO_R7S"), 15, 15);
}

} // namespace r7t::installer::ui
