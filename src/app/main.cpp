// Program entry: the start-up sequence of Talvex 2.
#include "app/app_settings.h"
#include "app/panel_main.h"
#include "app/qt_messages.h"
#include "app/regional_guard.h"
#include "app/session.h"

#include <QApplication>
#include <QLocale>

using namespace talvex;

namespace {

RegionalFormats systemRegionalFormats() {
    const QLocale system = QLocale::system();
    return {system.decimalPoint().toStdString(),
            system.dateFormat(QLocale::LongFormat).toStdString(),
            system.dateFormat(QLocale::ShortFormat).toStdString(),
            system.timeFormat(QLocale::ShortFormat).toStdString()};
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QString commandLineFile;
    const QStringList arguments = QApplication::arguments();
    const bool openAtFirstActivation = arguments.size() > 1;
    if (openAtFirstActivation)
        commandLineFile = arguments.at(1);
    QApplication::setApplicationName(QString::fromUtf8(ApplicationTitle));
    QApplication::setApplicationDisplayName(QString::fromUtf8(ApplicationTitle));

    Session session;
    session.where = Locations::fromEnvironment();
    const fs::path executableDirectory = QApplication::applicationDirPath().toStdString();
    session.settings = load_app_settings(
        resolve_install_directory(session.where, find_shipped_settings(executableDirectory)),
        session.where.home);
    session.working.directory = session.settings.InstallDirectory;

    TForm_Main mainWindow(session);
    if (openAtFirstActivation)
        mainWindow.setCommandLineFile(commandLineFile);

    bool formatsInForce = false;
    try {
        formatsInForce = pass_regional_guard(session.where.perUserConfig, systemRegionalFormats());
    } catch (const std::exception& error) {
        showError(nullptr, fromProgramText(std::string(error.what())));
        return 1;
    }
    if (!formatsInForce) {
        showWarning(nullptr, fromProgramText(std::string(RegionalWarning)));
        return 0;
    }

    mainWindow.show();
    return QApplication::exec();
}
