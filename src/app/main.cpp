#include "app/Application.h"
#include "app/FrmMDI.h"
#include "datamgmt/FormUploadDatabase.h"
#include "platform/Runtime.h"

int main(int argc, char** argv)
{
    vh::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velloran for Hockey"));
    QApplication::setApplicationVersion(vh::FrmMDI::versionText());

    vh::FrmMDI frame;
    frame.setUploadOpener(vh::ShowUploadDatabase);
    frame.MDIForm_Load();
    if (vh::ProgramEnding())
        return 0;
    frame.show();
    return QApplication::exec();
}
