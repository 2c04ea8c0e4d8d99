#include "app/orthexapp.h"

int main(int argc, char** argv)
{
    COrthexApp app(argc, argv);
    if (!app.InitInstance())
        return app.ExitCode();
    return app.exec();
}
