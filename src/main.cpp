#include "screens/fonts.h"
#include "screens/form1.h"
#include "screens/form2.h"
#include "screens/keeper.h"
#include "training/seriesrandom.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tirages"));
    QApplication::setApplicationVersion(QStringLiteral(TIRAGES_VERSION));
    // The program ends only through the launcher.
    QApplication::setQuitOnLastWindowClosed(false);
    tirages::screens::installFontSubstitutions();
    // The program speaks French: so do Qt's own dialogs (the file dialog, the
    // message boxes' standard buttons), when Qt's translations are installed.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    // The lists beside the executable (a build tree), then those of an installation.
    const QDir appDir(QApplication::applicationDirPath());
    const QStringList dataDirs = {appDir.filePath(QStringLiteral("data")),
                                  appDir.filePath(QStringLiteral("../share/tirages/data"))};

    // The trainings kept across runs; a database that cannot be used is said on
    // the launcher, and the program trains all the same.
    tirages::progress::Store store(tirages::progress::Store::defaultPath());
    tirages::screens::TrainingKeeper keeper(&store, dataDirs);
    tirages::screens::Form2 launcher(
        [] { return std::make_unique<tirages::screens::Form1>(tirages::timeOfDaySeed); }, dataDirs,
        &keeper);
    QObject::connect(&launcher, &tirages::screens::Form2::programEnded, &app, [&keeper] {
        keeper.saveNow();
        QApplication::exit(0);
    });
    launcher.show();
    return QApplication::exec();
}
