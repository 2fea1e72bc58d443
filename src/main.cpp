#include "screens/fonts.h"
#include "screens/form1.h"
#include "screens/form2.h"
#include "screens/keeper.h"
#include "training/seriesrandom.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tirages"));
    QApplication::setApplicationVersion(QStringLiteral(TIRAGES_VERSION));
    // The program ends only through the launcher.
    QApplication::setQuitOnLastWindowClosed(false);
    tirages::screens::installFontSubstitutions();

    // The lists beside the executable (a build tree), then those of an installation.
    const QDir appDir(QApplication::applicationDirPath());
    const QStringList dataDirs = {appDir.filePath(QStringLiteral("data")),
                                  appDir.filePath(QStringLiteral("../share/tirages/data"))};

    tirages::screens::Form2 launcher(
        [] { return std::make_unique<tirages::screens::Form1>(tirages::timeOfDaySeed); }, dataDirs);
    QObject::connect(&launcher, &tirages::screens::Form2::programEnded, &app,
                     [] { QApplication::exit(0); });
    launcher.show();
    return QApplication::exec();
}
