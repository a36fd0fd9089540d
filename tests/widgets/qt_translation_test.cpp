#include "widgets/qt_translation.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace r7t::ui;

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
