#include "app/Console.h"
#include "app/KvtApplication.h"

int main(int argc, char** argv)
{
    kvt::KvtApplication app(argc, argv);
    return kvt::RunConsole(app);
}
