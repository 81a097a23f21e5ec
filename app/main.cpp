#include "app/frame/CZerinApp.h"

int main(int argc, char** argv) {
    CZerinApp app(argc, argv);
    if (!app.InitInstance())
        return 1;
    return app.exec();
}
