#include "app/GeneralForm.h"
#include "app/KvtApplication.h"
#include "common/ProgramDirectory.h"

int main(int argc, char** argv)
{
    kvt::KvtApplication app(argc, argv);
    const QString home = kvt::ResolveProgramDirectory(app.arguments(), QCoreApplication::applicationDirPath());
    kvt::GeneralForm window(home);
    QApplication::setApplicationName(kvt::GeneralForm::kCaption);
    window.show();
    return app.exec();
}
