#include "widgets/qt_translation.h"

#include "ui_test_support.h"
#include "widgets/file_dialogs.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace r7t::ui;
using namespace r7t::ui::testing;

namespace {

// The translation for the time of one test, so that the other tests keep
// Qt's texts as they expect them.
struct French {
    QTranslator* translator = installQtFrench();
    ~French()
    {
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
};

} // namespace

TEST(QtTranslation, StandardButtonsAndFileDialogSpeakFrench)
{
    French french;
    ASSERT_NE(french.translator, nullptr) << "Qt's French translation is missing (qt6-translations-l10n)";

    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove('&'), QStringLiteral("Annuler"));
    EXPECT_EQ(buttons.button(QDialogButtonBox::Save)->text().remove('&'), QStringLiteral("Enregistrer"));

    // Qt's own file dialog, as shown where the desktop has none.
    QFileDialog dialog(nullptr, QStringLiteral("Nouveau concours"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QLabel* lookIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
    ASSERT_NE(lookIn, nullptr);
    EXPECT_EQ(lookIn->text(), QStringLiteral("Voir dans :"));

    // The questions the file dialogs ask.
    const QString replace = QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?");
    EXPECT_TRUE(replace.contains(QStringLiteral("existe déjà"))) << replace.toStdString();
    const QString missing = QCoreApplication::translate(
        "QFileDialog", "%1\nFile not found.\nPlease verify the correct file name was given.");
    EXPECT_TRUE(missing.contains(QStringLiteral("introuvable"))) << missing.toStdString();
}

TEST(QtTranslation, WithoutItQtSpeaksEnglish)
{
    // The check above means something: the same button reads in English
    // when the translation is not loaded.
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove('&'), QStringLiteral("Cancel"));
}

TEST(QtTranslation, TheContestFileDialogsNameFileTypesInFrench)
{
    // Qt's translation has no words for the type column of its file dialog.
    PlatformFileChooser chooser;
    QString folderType, fileType;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        ASSERT_NE(dialog->iconProvider(), nullptr);
        folderType = dialog->iconProvider()->type(QFileInfo(QDir::tempPath()));
        fileType = dialog->iconProvider()->type(QFileInfo(QStringLiteral("/tmp/concours.r7s")));
        dialog->reject();
    });
    EXPECT_TRUE(chooser.chooseSaveFile(nullptr, QStringLiteral("Nouveau concours"), QStringLiteral("c.r7s")).isEmpty());
    EXPECT_EQ(folderType, QStringLiteral("Dossier"));
    EXPECT_EQ(fileType, QStringLiteral("Fichier r7s"));
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        folderType = dialog->iconProvider()->type(QFileInfo(QDir::homePath()));
        dialog->reject();
    });
    folderType.clear();
    EXPECT_TRUE(chooser.chooseOpenFile(nullptr, QStringLiteral("Reprise")).isEmpty());
    EXPECT_EQ(folderType, QStringLiteral("Dossier"));
}
