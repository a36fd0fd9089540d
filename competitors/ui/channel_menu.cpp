#include "competitors/ui/channel_menu.h"

#include "competitors/frequency.h"
#include "widgets/drawing_resources.h"
#include "widgets/window_frame.h"

#include <QCursor>
#include <QEventLoop>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace r7t::ui {

namespace {

// The field keeps at most this many characters of a channel's text.
constexpr int kChannelTextLength = 7;

} // namespace

ChannelMenu::ChannelMenu(QWidget* parent)
    : QWidget(parent, Qt::Popup)
{
    setObjectName(QStringLiteral("channelMenu"));
    setAccessibleName(QStringLiteral("Fréquences"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(0);

    const QFontMetrics fm(font());
    const int rowHeight = fm.height() + 4;
    const QScreen* screen = parent ? parent->screen() : nullptr;
    const int screenHeight = screen ? screen->availableGeometry().height() : 768;
    const int rowsPerColumn = std::max(8, (screenHeight - 8) / rowHeight);

    int column = -1, row = 0;
    for (const ChannelItem& channel : channelMenu()) {
        if (channel.newColumn || column < 0 || row >= rowsPerColumn) {
            ++column;
            row = 0;
            columns_.append(QList<QToolButton*>());
        }
        const QString text = QString::fromStdString(TexteFrequence(channel.kHz));
        auto* button = new QToolButton(this);
        button->setObjectName(controlName(channel.id));
        button->setText(text);
        button->setAccessibleName(text);
        button->setAutoRaise(true);
        button->setFixedHeight(rowHeight);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        connect(button, &QToolButton::clicked, this, [this, text] {
            chosen_ = text;
            close();
        });
        grid->addWidget(button, row++, column);
        columns_.last().append(button);
    }
    grid->setRowStretch(rowsPerColumn, 1);
}

QToolButton* ChannelMenu::item(int id) const { return findChild<QToolButton*>(controlName(id)); }

std::optional<QString> ChannelMenu::choose(const QPoint& at)
{
    chosen_.reset();
    adjustSize();
    QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    if (const QScreen* here = QGuiApplication::screenAt(at))
        area = here->availableGeometry();
    QPoint pos = at;
    pos.setX(std::clamp(pos.x(), area.left(), std::max(area.left(), area.right() - width())));
    pos.setY(std::clamp(pos.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    move(pos);
    show();
    columns_.first().first()->setFocus(Qt::PopupFocusReason);
    QEventLoop loop;
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
    return chosen_;
}

void ChannelMenu::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    paintWindowBorder(this);
}

void ChannelMenu::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // A click outside closes the popup too: the choice ends either way.
    if (loop_)
        loop_->quit();
}

void ChannelMenu::moveFocus(int columnStep, int rowStep)
{
    for (int c = 0; c < columns_.size(); ++c) {
        const int r = columns_[c].indexOf(static_cast<QToolButton*>(focusWidget()));
        if (r < 0)
            continue;
        const int nc = (c + columnStep + columns_.size()) % columns_.size();
        const QList<QToolButton*>& target = columns_[nc];
        const int nr = columnStep ? std::min(r, int(target.size()) - 1) : (r + rowStep + target.size()) % target.size();
        target[nr]->setFocus(Qt::TabFocusReason);
        return;
    }
    columns_.first().first()->setFocus(Qt::TabFocusReason);
}

void ChannelMenu::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape: close(); return;
    case Qt::Key_Up: moveFocus(0, -1); return;
    case Qt::Key_Down: moveFocus(0, 1); return;
    case Qt::Key_Left: moveFocus(-1, 0); return;
    case Qt::Key_Right: moveFocus(1, 0); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* button = qobject_cast<QToolButton*>(focusWidget()))
            button->click();
        return;
    default: QWidget::keyPressEvent(event);
    }
}

namespace {

// Opens the menu when the user brings the focus to the field, not when it
// comes back from the menu, an alert or another window.
class ChannelMenuOffer : public QObject {
public:
    explicit ChannelMenuOffer(QLineEdit* field)
        : QObject(field)
        , field_(field)
    {
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::FocusIn)
            return false;
        switch (static_cast<QFocusEvent*>(event)->reason()) {
        case Qt::MouseFocusReason:
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
            // After the focus change completes: the menu takes the focus.
            QTimer::singleShot(0, field_, [field = field_] { showMenu(field); });
            break;
        default: break;
        }
        return false;
    }

private:
    static void showMenu(QLineEdit* field)
    {
        if (!field->hasFocus() || field->isReadOnly() || !field->isEnabled())
            return;
        ChannelMenu menu(field);
        const std::optional<QString> chosen = menu.choose(QCursor::pos() + QPoint(50, 0));
        if (chosen) {
            field->setText(chosen->left(kChannelTextLength));
            field->setFocus(Qt::PopupFocusReason);
        }
    }

    QLineEdit* field_;
};

} // namespace

void offerChannelMenu(QLineEdit* field) { field->installEventFilter(new ChannelMenuOffer(field)); }

} // namespace r7t::ui
