#include "app/AppMain.h"

#include <new>

int main(int argc, char** argv)
{
    try {
        return appMain(argc, argv);
    } catch (const std::bad_alloc&) {
        return 1;
    }
}
