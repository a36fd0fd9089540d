// GoogleTest main for the dialog tests: one QApplication on the offscreen
// platform for the whole run.
#include "widgets/drawing_resources.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    r7t::ui::initResources(r7t::ui::ScreenScale{1024, 768});
    return RUN_ALL_TESTS();
}
