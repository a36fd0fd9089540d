#include "widgets/message_dialog.h"

#include "contest/atomic_file.h"
#include "contest/contest_file.h"
#include "text/strings.h"
#include "string_table/formats.h"
#include "widgets/dialog_units.h"
#include "widgets/drawing_resources.h"
#include "widgets/pictures.h"
#include "widgets/window_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>

namespace r7t::ui {

namespace {

// The text rectangle of the template, in client pixels.
constexpr int kTextLeft = 100;
constexpr int kTextTop = 20;
constexpr int kTextRight = 370;
constexpr int kTextBottom = 250;
constexpr int kMargin = 10;

std::function<void()>& faultEnding()
{
    static std::function<void()> ending = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
        QCoreApplication::exit(kFaultExitCode);
    };
    return ending;
}

} // namespace

MessageDialog::MessageDialog(const QString& text, int mode, QWidget* parent)
    : ButtonsOnlyDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , text_(text)
    , mode_(mode)
{
    setWindowTitle(QStringLiteral("ATTENTION"));
    // A title bar and no box: the window manager would add a close box.
    auto* titleBar = new OwnTitleBar(this);
    const int top = titleBar->height();
    setWindowModality(Qt::ApplicationModal);
    const DialogUnits du = useTemplateFont(this);

    auto* yes = addButton(this, 508, QStringLiteral("OK"), du, 152, 87, 29, 12);
    auto* no = addButton(this, 509, controlString(509), du, 100, 87, 29, 12);
    auto* cancel = addButton(this, 510, QStringLiteral("Annuler"), du, 45, 87, 33, 12);
    auto* help = addButton(this, 850, QStringLiteral("?"), du, 10, 87, 12, 12);
    help->hide();
    cancel->hide();
    yes->setDefault(true);
    if (mode_ == kModeQuestion)
        yes->setText(controlString(508));
    else
        no->hide();

    connect(yes, &QPushButton::clicked, this, [this] { finish(1); });
    connect(no, &QPushButton::clicked, this, [this] { finish(0); });
    connect(cancel, &QPushButton::clicked, this, [this] { finish(0); });

    // The template's text rectangle, kept inside the dialog and above the
    // buttons. A text longer than it makes the dialog wider (up to half the
    // screen), then taller, rather than be cut.
    QSize client = du.size(198, 106);
    client.setWidth(std::max(client.width(), kTextRight + kMargin));
    const int buttonsTop = yes->y();
    const int available = std::min(kTextBottom, buttonsTop - kMargin) - kTextTop;
    const QFontMetrics fm(resources().fontMessage);
    auto neededHeight = [&](int width) {
        return fm.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, text_).height();
    };
    int width = kTextRight - kTextLeft;
    const int widest = std::max(width, resources().scale.width / 2 - kTextLeft - kMargin);
    while (neededHeight(width) > available && width < widest)
        width = std::min(widest, width + 40);
    const int needed = neededHeight(width);
    const int wider = std::max(0, kTextLeft + width + kMargin - client.width());
    const int taller = std::max(0, needed - available);
    for (QPushButton* b : {yes, no, cancel, help})
        b->move(b->x() + wider, b->y() + taller + top);
    client += QSize(wider, taller + top);
    textRect_ = QRect(kTextLeft, top + kTextTop, width, std::max(available, needed));
    setFixedSize(client);
    titleBar->fitToWindow();
}

void MessageDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    QApplication::beep();
}

void MessageDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    drawPicture(painter, mode_ == kModeQuestion ? QStringLiteral("QUESTION") : QStringLiteral("ALERTE"), 20,
                textRect_.top());
    painter.setFont(resources().fontMessage);
    painter.setPen(resources().txtBlue);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.drawText(textRect_, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text_);
    painter.end();
    paintWindowBorder(this);
}



int MessDlg(QWidget* parent, const QString& text, int mode)
{
    MessageDialog dialog(text, mode, parent);
    return dialog.exec() == 1 ? 1 : 0;
}

int MessDlg(QWidget* parent, int stringNumber, int mode) { return MessDlg(parent, messageText(stringNumber), mode); }

void Alerte(QWidget* owner, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("ALERTE"), text, QMessageBox::Ok, owner);
    box.setWindowModality(Qt::ApplicationModal);
    box.raise();
    box.activateWindow();
    box.exec();
}

QWidget* messageOwner()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

void showFaultReport(Contest& contest, const std::string& tag)
{
    contest.isOpen = false; // the last change was saved; nothing more is written
    showFaultReport(tag);
}

void showFaultReport(const std::string& tag)
{
    const QString text = tableText(formatText(kFaultReport, tag));
    {
        QMessageBox box(QMessageBox::Critical, QString(), text, QMessageBox::Ok);
        box.setWindowModality(Qt::ApplicationModal);
        box.raise();
        box.activateWindow();
        box.exec();
    }
    if (faultEnding())
        faultEnding()();
}

void setFaultEnding(std::function<void()> ending) { faultEnding() = std::move(ending); }

void installContestHandlers(Contest& contest)
{
    contest.setAlertHandler([&contest](int n) {
        QString text = messageText(n);
        // A file that could not even be read says why, not only that it is refused.
        if (n == kMessageIncompatible)
            if (const std::optional<std::string> cause = readFailureCause(contest.filePath))
                text += QStringLiteral("\n(%1)").arg(QString::fromStdString(*cause));
        MessDlg(messageOwner(), text, kModeAlert);
    });
    contest.setFaultHandler([&contest](const std::string& tag) { showFaultReport(contest, tag); });
}

} // namespace r7t::ui
