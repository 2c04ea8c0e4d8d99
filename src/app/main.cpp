#include "app/orthexapp.h"

int main(int argc, char** argv)
{
    COrthexApp app(argc, argv);
    if (!app.InitInstance())
        return 1;
    return app.exec();
}
