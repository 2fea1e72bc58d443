#include "session/commandline.h"

#include "files.h"
#include "session/carrying.h"
#include "session/sittings.h"
#include "texts.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTextStream>

namespace tirages::session {
namespace {

namespace say = texts::carrying;

const QString kReplace = QStringLiteral("--remplacer");
const QStringList kHelp = {QStringLiteral("--help"), QStringLiteral("-h"),
                           QStringLiteral("--aide")};
const QStringList kActions = {QStringLiteral("--importer"), QStringLiteral("--exporter"),
                              QStringLiteral("--sauvegarder"), QStringLiteral("--restaurer")};
// The toolkit's own options, which it takes out of the arguments itself:
// those that take a value, then those that stand alone.
const QStringList kToolkitValued = {
    QStringLiteral("-platform"),        QStringLiteral("-platformpluginpath"),
    QStringLiteral("-platformtheme"),   QStringLiteral("-plugin"),
    QStringLiteral("-qwindowgeometry"), QStringLiteral("-qwindowicon"),
    QStringLiteral("-qwindowtitle"),    QStringLiteral("-session"),
    QStringLiteral("-style"),           QStringLiteral("-stylesheet"),
    QStringLiteral("-display"),         QStringLiteral("-geometry")};
const QStringList kToolkitAlone = {QStringLiteral("-reverse"), QStringLiteral("-widgetcount"),
                                   QStringLiteral("-nograb"), QStringLiteral("-dograb"),
                                   QStringLiteral("-sync")};

int usage(QTextStream& err, const QString& why) {
    err << why << "\n\n" << say::commandHelp;
    return 2;
}

} // namespace

bool opensTheLauncher(const QStringList& arguments) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString option =
            arguments[i].startsWith(QStringLiteral("--")) ? arguments[i].mid(1) : arguments[i];
        if (kToolkitValued.contains(option))
            ++i; // its value
        else if (!kToolkitAlone.contains(option) &&
                 !kToolkitValued.contains(option.section(u'=', 0, 0)))
            return false;
    }
    return true;
}

int runCommand(const QStringList& arguments, const QStringList& dataDirs, Clock now,
               QTextStream& out, QTextStream& err) {
    QStringList words = arguments;
    const bool replace = words.removeAll(kReplace) > 0;
    const QString command = words.value(0);
    if (kHelp.contains(command)) {
        out << say::commandHelp;
        return 0;
    }
    if (!kActions.contains(command))
        return usage(err, say::commandUnknown.arg(command.isEmpty() ? kReplace : command));
    if (words.size() < 2 || words[1].isEmpty())
        return usage(err, say::commandMissingFile.arg(command));
    if (words.size() > 2)
        return usage(err, say::commandUnknown.arg(words[2]));
    const QString file = QFileInfo(words[1]).absoluteFilePath();
    const bool writes = command == kActions[1] || command == kActions[2];
    if (writes && QFileInfo::exists(file) && !replace) {
        err << texts::files::exists.arg(QDir::toNativeSeparators(file)) << '\n';
        return 1;
    }
    Sittings sittings(dataDirs, now);
    sittings.useStore(
        progress::Store::open(progress::Store::defaultPath(), now, QRandomGenerator::global()));
    Carrying carrying(sittings, dataDirs);
    Result<QString> done = Failure{};
    if (command == kActions[0])
        done = carrying.importCardbox(file);
    else if (command == kActions[1])
        done = carrying.exportCardbox(file);
    else if (command == kActions[2])
        done = carrying.backup(file);
    else if (done = carrying.restoreQuestion(file); done)
        done = carrying.restore(file);
    (done ? out << *done : err << done.why()) << '\n';
    return done ? 0 : 1;
}

} // namespace tirages::session
