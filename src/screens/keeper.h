#pragma once

#include "lists/listfile.h"
#include "progress/store.h"

#include <QObject>
#include <QStringList>
#include <optional>

namespace tirages::screens {

class Form1;

// Keeps the training of the training screen across runs: begun at "LANCER",
// taken up by "Continuer", saved after every correction and when the screen is
// left. Without a usable store it keeps nothing and says so once.
class TrainingKeeper : public QObject {
    Q_OBJECT

public:
    TrainingKeeper(progress::Store* store, QStringList dataDirs, QObject* parent = nullptr);

    // What the launcher says under "LANCER" for the text of its list box.
    struct Line {
        QString text;
        bool canContinue = false;
        bool inProgress = false; // "LANCER" asks before it forgets it
        qint32 entriesLeft = 0;
    };
    std::optional<Line> lineFor(const QString& fichier) const;

    // The training the screen begins on `fichier` after "LANCER".
    void began(const QString& fichier, const lists::ListContent& fileLines);
    // The kept training of `fichier` as "Continuer" takes it up, merged with its
    // file when the file changed.
    std::optional<TrainingSnapshot> toContinue(const QString& fichier);
    void continued(const QString& fichier, const TrainingSnapshot& resumed);

    // The screen whose training is kept; its corrections are saved as they come.
    void follow(Form1* screen);
    // The screen is left, or the program ends: the training as it stands.
    void saveNow();

    // Once each: why progress cannot be kept, or what became of a damaged file;
    // why the last corrections could not be kept.
    QString takeStartMessage();
    QString takeSaveFailure();

    // The folder the file dialog opened a list in last, in this run or an
    // earlier one; empty when none.
    QString listFolder() const;
    void keepListFolder(const QString& folder);

private:
    QString keyOf(const QString& fichier) const;
    void saved(bool done);

    progress::Store* m_store;
    QStringList m_dataDirs;
    Form1* m_screen = nullptr;
    QString m_list; // key of the list the screen trains, empty for none
    QString m_startMessage;
    QString m_saveFailure;
};

} // namespace tirages::screens
