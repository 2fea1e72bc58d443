#include "progress/store.h"
#include "screens/fonts.h"
#include "screens/launcher.h"
#include "screens/trainingscreen.h"
#include "session/carrying.h"
#include "session/commandline.h"
#include "session/sittings.h"
#include "training/seriesrandom.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QLibrary>
#include <QLibraryInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QTextStream>
#include <QTranslator>
#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// The lists beside the executable (a build tree), then those of an installation.
QStringList dataDirsOf(const QDir& appDir) {
    return {appDir.filePath(QStringLiteral("data")),
            appDir.filePath(QStringLiteral("../share/tirages/data"))};
}

QDateTime now() {
    return QDateTime::currentDateTime();
}

void nameProgram() {
    QCoreApplication::setApplicationName(QStringLiteral("tirages"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TIRAGES_VERSION));
}

// A command runs without a window, and without a desktop.
int runCommand(int argc, char* argv[]) {
#ifdef Q_OS_WIN
    // A windowed program: it writes to the console it was started from.
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
#endif
    QCoreApplication app(argc, argv);
    nameProgram();
    QTextStream out(stdout);
    QTextStream err(stderr);
    return tirages::session::runCommand(QCoreApplication::arguments().mid(1),
                                        dataDirsOf(QDir(QCoreApplication::applicationDirPath())),
                                        now, out, err);
}

#ifdef TIRAGES_STATISTICS
// The statistics window comes from its module, beside the program in a build
// tree, in lib/tirages once installed.
tirages::Result<std::unique_ptr<QWidget>> makeStatistics(const QDir& appDir,
                                                         const tirages::progress::Store& store,
                                                         tirages::screens::TrainQuestions train) {
    namespace screens = tirages::screens;
    QString error;
    for (const QString& folder :
         {appDir.path(), appDir.filePath(QStringLiteral(TIRAGES_MODULES_FROM_BIN))}) {
        QLibrary module(QDir(folder).filePath(QStringLiteral("libtirages_statistics")));
        if (const auto make =
                reinterpret_cast<screens::MakeStatistics>(module.resolve(screens::kMakeStatistics)))
            return std::unique_ptr<QWidget>(make(store, now, std::move(train)));
        error = module.errorString();
    }
    return tirages::Failure{error};
}
#endif

} // namespace

int main(int argc, char* argv[]) {
    using namespace tirages;
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!session::opensTheLauncher(arguments))
        return runCommand(argc, argv);
    QApplication app(argc, argv);
    nameProgram();
    // The program ends only through the launcher.
    QApplication::setQuitOnLastWindowClosed(false);
    screens::installFontSubstitutions();

    const QDir appDir(QApplication::applicationDirPath());
    session::Sittings sittings(dataDirsOf(appDir), now);
    session::Carrying carrying(sittings, dataDirsOf(appDir));
    screens::Launcher launcher(
        [] { return std::make_unique<screens::TrainingScreen>(training::timeOfDaySeed); }, sittings,
        carrying, now);
    // What the launcher does not need before it is on screen comes after: the
    // trainings kept across runs (a database that cannot be used is said there,
    // and the program trains all the same), and Qt's own dialogs in French (the
    // file dialog, the message boxes' standard buttons), when Qt's translations
    // are installed.
    QTranslator qtTexts;
    QObject::connect(&launcher, &screens::Launcher::firstPainted, &launcher, [&] {
        sittings.useStore(
            progress::Store::open(progress::Store::defaultPath(), now, QRandomGenerator::global()));
        launcher.refresh();
        if (qtTexts.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QApplication::installTranslator(&qtTexts);
    });
#ifdef TIRAGES_STATISTICS
    launcher.setStatisticsMaker([appDir](const progress::Store& store, Clock,
                                         screens::TrainQuestions train) {
        return makeStatistics(appDir, store, std::move(train));
    });
#endif
    QObject::connect(&launcher, &screens::Launcher::programEnded, &app,
                     [] { QApplication::exit(0); });
    launcher.show();
    return QApplication::exec();
}
