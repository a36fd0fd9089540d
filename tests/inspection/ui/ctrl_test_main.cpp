// GoogleTest main for the inspection program's window tests: one
// QApplication on the offscreen platform, the program's resources.
#include "inspection/ui/inspection_common.h"
#include "widgets/drawing_resources.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    r7t::ui::initInspectionResources(r7t::ui::ScreenScale{1024, 768});
    return RUN_ALL_TESTS();
}
