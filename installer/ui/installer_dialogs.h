// The installer's three dialogs: the folder choice "QUELREP", the error
// "ERREUR" and the success "TOUTOK".
#pragma once

#include <QDialog>
#include <QSize>
#include <QString>

#include <functional>

class QLabel;
class QLineEdit;
class QPainter;

namespace r7t::installer::ui {

// Asks for a folder, with that title; an empty text when the user cancels.
using FolderAsker = std::function<QString(QWidget* parent, const QString& title)>;

// The platform's folder dialog, from the root, folders only.
QString askFolderWithPlatformDialog(QWidget* parent, const QString& title);

// Draws one of the installer's pictures (FOND1, LOGO_R7S, ALERTE) at its own
// size with its top-left corner at (x, y).
void drawInstallerPicture(QPainter& painter, const QString& name, int x, int y);
QSize installerPictureSize(const QString& name);

// QUELREP: the destination folder, proposed, browsed or typed. Ends with 1
// on "Continuer", 0 on "Abandon".
class FolderChoiceDialog : public QDialog {
    Q_OBJECT
public:
    FolderChoiceDialog(const QString& proposed, FolderAsker asker, QWidget* parent = nullptr);

    // The field's text, as "Continuer" takes it.
    QString folder() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void browse();

    FolderAsker asker_;
    QLineEdit* field_ = nullptr;
};

// ERREUR: the error text and the file it concerns, under the alert picture.
class ErrorDialog : public QDialog {
    Q_OBJECT
public:
    ErrorDialog(const QString& message, const QString& file, QWidget* parent = nullptr);
    QString messageShown() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* message_ = nullptr;
};

// TOUTOK: success, naming the folder in which the data folder was made.
class SuccessDialog : public QDialog {
    Q_OBJECT
public:
    explicit SuccessDialog(const QString& documentsName, QWidget* parent = nullptr);
    QString messageShown() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* message_ = nullptr;
};

} // namespace r7t::installer::ui
