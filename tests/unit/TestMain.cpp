// In-process tests run with the program's application object, its resources and English texts.
#include "Support.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    TrayApp app;
    app.SetProfileLocation("VelkatorTests", "Shared");
    OpenLanguageLibrary(9);
    return RUN_ALL_TESTS();
}
