#pragma once

// The texts the program shows, exactly as the player reads them. Everything
// the screens and the training display as fixed text comes from here.

#include "french.h"

#include <QString>
#include <QStringList>
#include <array>

namespace tirages::texts {

// Launcher
inline const QString launcherTitle = QStringLiteral("Bienvenue :o)");
inline const QString launcherHeading = QStringLiteral("MOTS NOUVEAUX ODS 5");
inline const QString listPrompt = QStringLiteral("Sélectionnez votre liste");
inline const QString launch = QStringLiteral("LANCER");
inline const QString quit = QStringLiteral("Quitter");
inline const QString farewellTitle = QStringLiteral("A bientôt !");
inline const QString aboutHeading = QStringLiteral("A propos de l'auteur :");
inline const QStringList aboutLines = {
    QStringLiteral("tirages, entraînement aux mots nouveaux du Scrabble francophone."),
    QStringLiteral("Logiciel libre : vous pouvez le redistribuer et le modifier selon les termes "
                   "de la Licence publique générale GNU, version 3 ou toute version ultérieure."),
    QStringLiteral("Les listes de mots et le lexique sont tirés du lexique français de "
                   "Grammalecte (licence MPL 2.0)."),
};

// Why a list could not be started, as the launcher says it: %1 is the quoted
// file name, %2 a line number, a count or a reason.
namespace listMessages {
inline const QString quoted = QStringLiteral("« %1 »");
inline const QString notFound =
    QStringLiteral("Impossible d'ouvrir la liste %1 : ce fichier n'existe pas.");
inline const QString notAFile =
    QStringLiteral("Impossible d'ouvrir la liste %1 : ce n'est pas un fichier.");
inline const QString unreadable = QStringLiteral("Impossible de lire la liste %1 : %2.");
inline const QString accessDenied = QStringLiteral("accès refusé");
inline const QString emptyLine =
    QStringLiteral("La liste %1 est mal formée : la ligne %2 est vide.");
inline const QString noSeparator = QStringLiteral(
    "La liste %1 est mal formée : la ligne %2 n'a pas de « ; » entre le tirage et la solution.");
inline const QString tooManyQuestions = QStringLiteral(
    "La liste %1 a plus de %2 tirages différents : une liste en compte %2 au plus.");
inline const QString tooManyLines =
    QStringLiteral("La liste %1 a plus de %2 lignes : une liste en compte %2 au plus.");
inline const QString tooLarge =
    QStringLiteral("La liste %1 est trop grande : un fichier de liste fait au plus %2 Mo.");
// A plain word list: one word a line.
inline const QString tooManyWords =
    QStringLiteral("La liste %1 a plus de %2 mots : une liste en compte %2 au plus.");
inline const QString notText = QStringLiteral("La liste %1 n'est pas un fichier de texte.");
inline const QString noWordToTrain =
    QStringLiteral("Aucun mot de la liste %1 ne peut être entraîné.");
inline const QString leftOutTitle = QStringLiteral("Mots laissés de côté");
inline const QString leftOutIntro = QStringLiteral("%1 : %2.");
inline const QString notAWord =
    QStringLiteral("ligne %1, « %2 » n'est pas un mot de %3 à %4 lettres");
inline const QString duplicate = QStringLiteral("ligne %1, « %2 » est déjà à la ligne %3");
inline const QString andOthers = QStringLiteral("et %1");
inline const QString trainedOn = QStringLiteral("L'entraînement porte sur %1.");
inline const QString startButton = QStringLiteral("Commencer");
} // namespace listMessages

// The nouns of counts (french.h).
inline const Forms wordsLeftCount{QStringLiteral("mot restant"), QStringLiteral("mots restants")};
inline const Forms seriesCount{QStringLiteral("série"), QStringLiteral("séries")};
inline const Forms minutes{QStringLiteral("min"), QStringLiteral("min")};
inline const Forms wordsAdded{QStringLiteral("mot ajouté"), QStringLiteral("mots ajoutés")};
inline const Forms wordsRemoved{QStringLiteral("retiré"), QStringLiteral("retirés")};
inline const Forms wordsLeftOut{QStringLiteral("mot laissé de côté"),
                                QStringLiteral("mots laissés de côté")};
inline const Forms others{QStringLiteral("autre"), QStringLiteral("autres")};
inline const Forms words{QStringLiteral("mot"), QStringLiteral("mots")};

// Choosing a list file of one's own.
namespace browsing {
inline const QString button = QStringLiteral("Parcourir…");
inline const QString title = QStringLiteral("Choisir une liste");
inline const QString filter = QStringLiteral("Listes de mots (*.txt);;Tous les fichiers (*)");
} // namespace browsing

// What went wrong with a file; %1 the file, as the system writes it.
namespace files {
inline const QString notFound = QStringLiteral("%1 n'existe pas.");
inline const QString isFolder = QStringLiteral("%1 est un dossier.");
inline const QString cannotRead = QStringLiteral("%1 ne peut pas être lu.");
inline const QString cannotWrite = QStringLiteral("%1 ne peut pas être écrit.");
inline const QString diskFull = QStringLiteral("%1 ne peut pas être écrit : le disque est plein.");
// %2 the folder.
inline const QString noFolder =
    QStringLiteral("%1 ne peut pas être écrit : le dossier %2 n'existe pas.");
inline const QString isTheDatabase = QStringLiteral(
    "%1 est le fichier où tirages garde vos entraînements : choisissez un autre nom.");
inline const QString exists =
    QStringLiteral("%1 existe déjà : ajoutez --remplacer pour le remplacer.");
} // namespace files

// Trainings kept across runs: the launcher's line, its button and its messages.
namespace progress {
inline const QString continueTraining = QStringLiteral("Continuer");
inline const QString inProgress = QStringLiteral("En cours : %1 sur %2 · %3 · %4");
inline const QString finished = QStringLiteral("Terminée le %1 · %2 · %3");
inline const QString fileChanged = QStringLiteral("La liste a changé : %1, %2 depuis le début.");
inline const QString fileUnreadable =
    QStringLiteral("Le fichier de la liste ne peut plus être lu : « Continuer » reprend les mots "
                   "gardés.");
inline const QString restartTitle = QStringLiteral("Recommencer la liste");
// %1 the list, %2 the count of words left.
inline const QString restartQuestionOne =
    QStringLiteral("Recommencer « %1 » ? Le mot restant et ses réussites seront oubliés.");
inline const QString restartQuestionMany =
    QStringLiteral("Recommencer « %1 » ? Les %2 mots restants et leurs réussites seront oubliés.");
inline const QString restartButton = QStringLiteral("Recommencer");
inline const QString cancelButton = QStringLiteral("Annuler");
inline const QString cannotKeep =
    QStringLiteral("Les entraînements ne pourront pas être gardés : %1.");
inline const QString notAFile = QStringLiteral("« %1 » n'est pas un fichier");
inline const QString cannotCreateFolder = QStringLiteral("le dossier « %1 » ne peut pas être créé");
inline const QString cannotOpen = QStringLiteral("le fichier « %1 » ne peut pas être ouvert");
inline const QString cannotWrite = QStringLiteral("le fichier « %1 » ne peut pas être écrit");
inline const QString folderReadOnly =
    QStringLiteral("le dossier « %1 » ne peut pas être écrit");
inline const QString busy =
    QStringLiteral("le fichier des entraînements est occupé par un autre programme");
inline const QString newerVersion =
    QStringLiteral("le fichier « %1 » vient d'une version plus récente de tirages");
inline const QString diskFull = QStringLiteral("le disque est plein");
inline const QString diskError = QStringLiteral("le disque ne répond pas comme il faut");
inline const QString databaseError = QStringLiteral("erreur de la base de données (%1)");
inline const QString setAside =
    QStringLiteral("Le fichier des entraînements était abîmé : il a été mis de côté sous « %1 », "
                   "et un nouveau a été commencé.");
inline const QString saveFailed =
    QStringLiteral("Les dernières séries n'ont pas pu être gardées : %1.");
inline const QString notKeptTitle = QStringLiteral("Séries non gardées");
inline const QString retryButton = QStringLiteral("Réessayer");
inline const QString quitWithoutKeeping = QStringLiteral("Quitter sans les garder");
inline const QString savePending =
    QStringLiteral("Les dernières séries ne sont pas encore gardées : %1. Elles le seront dès "
                   "que possible.");
inline const QString listInUse =
    QStringLiteral("La liste « %1 » est déjà ouverte dans un autre tirages : choisissez une "
                   "autre liste, ou quittez l'autre tirages.");
} // namespace progress

// The reviews of questions due.
namespace reviews {
inline const QString listName = QStringLiteral("Révisions");
inline const QString due = QStringLiteral("Révisions : %1 aujourd'hui");
inline const Forms dueCount{QStringLiteral("mot à revoir"), QStringLiteral("mots à revoir")};
inline const QString button = QStringLiteral("Réviser");
// The grades of an answer, from the worst (FSRS's Again, Hard, Good, Easy).
inline const std::array<QString, 4> grades = {QStringLiteral("À revoir"),
                                              QStringLiteral("Difficile"), QStringLiteral("Bien"),
                                              QStringLiteral("Facile")};
}

// The « Statistiques » window.
namespace statistics {
inline const QString button = QStringLiteral("Statistiques");
inline const QString title = QStringLiteral("Statistiques");
inline const QString cannotOpen =
    QStringLiteral("Les statistiques ne peuvent pas être ouvertes : %1.");
inline const QString dailyTab = QStringLiteral("Jour par jour");
inline const QString listsTab = QStringLiteral("Listes");
inline const QString memoryTab = QStringLiteral("Mémoire");
inline const QString hardestTab = QStringLiteral("Mots difficiles");
inline const QString exportButton = QStringLiteral("Exporter…");
inline const QString trainHardest = QStringLiteral("Entraîner ces mots");
inline const QString hardestList = QStringLiteral("Mots difficiles");
// %1 the time, %2 the answers, %3 the share right.
inline const QString week = QStringLiteral("Cette semaine : %1 d'entraînement, %2, %3 justes.");
inline const QString weekNothing = QStringLiteral("Cette semaine : pas encore d'entraînement.");
inline const Forms answers{QStringLiteral("réponse"), QStringLiteral("réponses")};
inline const Forms days{QStringLiteral("jour"), QStringLiteral("jours")};
inline const Forms series{QStringLiteral("série"), QStringLiteral("séries")};
inline const QString minutes = QStringLiteral("Minutes");
inline const QString answersAxis = QStringLiteral("Réponses");
inline const QString right = QStringLiteral("Justes");
inline const QString wrong = QStringLiteral("Fausses");
// %1 and %2 the first and last days, %3 the days trained, %4 the time.
inline const QString dailySpoken = QStringLiteral(
    "Minutes d'entraînement et réponses justes et fausses par jour, du %1 au %2 : %3 "
    "d'entraînement, %4 en tout.");
inline const QStringList listColumns = {
    QStringLiteral("Liste"),  QStringLiteral("Mots au début"), QStringLiteral("Mots restants"),
    QStringLiteral("Séries"), QStringLiteral("Temps"),         QStringLiteral("Justes"),
    QStringLiteral("Fin")};
inline const QString finishedOn = QStringLiteral("Terminée le %1");
inline const QString wordsLeftAxis = QStringLiteral("Mots restants");
// %1 the list, %2 the words at the first point, %3 at the last, %4 the series.
inline const QString listSpoken =
    QStringLiteral("Mots restants de « %1 » après chaque série : de %2 à %3 en %4.");
inline const QString listSpokenNone =
    QStringLiteral("Mots restants de « %1 » : aucune série depuis le début de la liste.");
inline const QString known = QStringLiteral("Mots connus aujourd'hui : %1");
inline const QString knownAxis = QStringLiteral("Mots connus");
// %1 the first day, %2 the count then, %3 today's.
inline const QString knownSpoken = QStringLiteral(
    "Mots connus, qu'on a au moins 90\u00A0% de chances de retrouver, depuis le %1 : %2 ce jour-là, "
    "%3 aujourd'hui.");
inline const QString dueAxis = QStringLiteral("Révisions à faire");
// %1 today's, %2 all of them.
inline const QString dueSpoken =
    QStringLiteral("Révisions des 30 prochains jours : %1 aujourd'hui, %2 en tout.");
inline const QString rightAxis = QStringLiteral("Révisions justes");
inline const QString aim = QStringLiteral("Objectif : 90\u00A0%");
// %1 the last week's share, or « aucune révision ».
inline const QString rightSpoken = QStringLiteral(
    "Part des révisions justes par semaine, sur huit semaines, pour 90\u00A0% visés : %1 cette "
    "semaine.");
inline const QString noReview = QStringLiteral("aucune révision");
inline const QStringList hardestColumns = {QStringLiteral("Tirage"), QStringLiteral("Solution"),
                                           QStringLiteral("Ratés"), QStringLiteral("Réponses"),
                                           QStringLiteral("Secondes en moyenne")};
inline const QString exportTitle = QStringLiteral("Exporter l'historique");
inline const QString exportFilter = QStringLiteral("Fichiers CSV (*.csv)");
inline const QString exportName = QStringLiteral("historique-tirages.csv");
inline const QString exported = QStringLiteral("L'historique a été écrit dans « %1 ».");
inline const QStringList csvColumns = {
    QStringLiteral("date"),     QStringLiteral("liste"), QStringLiteral("tirage"),
    QStringLiteral("solution"), QStringLiteral("réponse"), QStringLiteral("juste"),
    QStringLiteral("secondes"), QStringLiteral("note")};
inline const QString yes = QStringLiteral("oui");
inline const QString no = QStringLiteral("non");
} // namespace statistics // namespace reviews

// Carrying the memory and everything kept: cardboxes of other programs,
// copies for another computer.
namespace carrying {
inline const QString button = QStringLiteral("Sauvegarde…");
inline const QString title = QStringLiteral("Sauvegarde");
inline const QString heading =
    QStringLiteral("Emporter ou reprendre ce que tirages garde de votre entraînement.");
inline const QString importCardbox = QStringLiteral("Importer une boîte à fiches…");
inline const QString exportCardbox = QStringLiteral("Exporter une boîte à fiches…");
inline const QString backup = QStringLiteral("Sauvegarder tout…");
inline const QString restore = QStringLiteral("Restaurer…");
inline const QString close = QStringLiteral("Fermer");
inline const QString cardboxFilter =
    QStringLiteral("Boîtes à fiches (*.db *.sqlite);;Tous les fichiers (*)");
inline const QString copyFilter =
    QStringLiteral("Copies de tirages (*.tirages *.sqlite);;Tous les fichiers (*)");
inline const QString exportName = QStringLiteral("Anagrams.db");
// %1 the date of the day.
inline const QString backupName = QStringLiteral("tirages-%1.tirages");
inline const Forms questions{QStringLiteral("question importée"),
                             QStringLiteral("questions importées")};
inline const Forms alphagrams{QStringLiteral("tirage écrit"), QStringLiteral("tirages écrits")};
// %1 the questions imported; then, when some are, the unknown ones.
inline const QString imported = QStringLiteral("%1.");
// %1 the questions imported, %2 the alphagrams without a known word, %3 the file listing them.
inline const QString importedUnknown =
    QStringLiteral("%1, %2 sans mot connu (la liste est dans %3).");
inline const QString importedUnlisted =
    QStringLiteral("%1, %2 sans mot connu (leur liste n'a pas pu être écrite dans %3).");
inline const QString unknownSuffix = QStringLiteral("-sans-mot-connu.txt");
inline const QString unknownHeading = QStringLiteral(
    "Tirages de la boîte à fiches %1 qu'aucune liste connue de tirages ne contient :");
inline const Forms keptOwn{QStringLiteral("question était déjà à jour dans tirages"),
                           QStringLiteral("questions étaient déjà à jour dans tirages")};
// %1 the alphagrams written, %2 the file.
inline const QString exported = QStringLiteral("%1 dans %2.");
inline const QString backedUp = QStringLiteral("Tout ce que tirages garde est copié dans %1.");
inline const QString restoreTitle = QStringLiteral("Restaurer une copie");
// %1 the date of the copy.
inline const QString restoreQuestion = QStringLiteral(
    "Les entraînements et l'historique actuels seront remplacés par ceux du %1.");
inline const QString restoreButton = QStringLiteral("Remplacer");
inline const QString restoreBusy = QStringLiteral(
    "La copie n'est pas restaurée : un autre tirages a ses entraînements ouverts. Quittez-le, "
    "puis recommencez.");
inline const QString cancelButton = QStringLiteral("Annuler");
// %1 the file where the database was set aside.
inline const QString restored = QStringLiteral(
    "La copie est restaurée. Ce que tirages gardait avant est mis de côté dans %1.");
// Why a file is refused; %1 the file.
inline const QString notACopy = QStringLiteral("%1 n'est pas une copie de tirages.");
inline const QString damagedCopy = QStringLiteral("%1 est abîmé : il ne peut pas être restauré.");
inline const QString newerCopy = QStringLiteral(
    "%1 vient d'une version plus récente de tirages : il ne peut pas être restauré.");
inline const QString notACardbox = QStringLiteral("%1 n'est pas une boîte à fiches.");
inline const QString nothingKept =
    QStringLiteral("Rien n'est gardé : tirages ne peut pas ouvrir son fichier de progression. %1");
// The command line.
inline const QString commandHelp = QStringLiteral(
    "Usage : tirages [option FICHIER [--remplacer]]\n"
    "Sans option, tirages ouvre son lanceur.\n"
    "\n"
    "Options :\n"
    "  --importer FICHIER     importe une boîte à fiches (Anagrams.db) dans la mémoire\n"
    "  --exporter FICHIER     écrit la mémoire comme une boîte à fiches\n"
    "  --sauvegarder FICHIER  copie tout ce que tirages garde dans FICHIER\n"
    "  --restaurer FICHIER    remplace ce que tirages garde par la copie FICHIER\n"
    "  --remplacer            avec --exporter et --sauvegarder : remplace FICHIER s'il existe\n"
    "  --help                 affiche cette aide\n"
    "\n"
    "Le code de sortie est 0 quand tout s'est bien passé, 1 quand l'action n'a pas pu se\n"
    "faire, 2 quand la commande est mal écrite.\n");
inline const QString commandUnknown =
    QStringLiteral("Option inconnue : %1. « tirages --help » les donne toutes.");
inline const QString commandMissingFile = QStringLiteral("%1 attend un nom de fichier.");
} // namespace carrying

// Training screen
inline const QString trainingTitle = QStringLiteral("ENTRAINEMENT SCRABBLE - Lettres Chères");
inline const QString restart = QStringLiteral("Nouvelle série(F8)");
inline const QString corriger = QStringLiteral("Corriger(F12)");
inline const QString valider = QStringLiteral("Valider");
inline const QString command2 = QStringLiteral("Command2");
inline const QString pause = QStringLiteral("Pause");
inline const QString resume = QStringLiteral("Reprendre");
inline const QString changeFont = QStringLiteral("Changer de police");
inline const QString changeCriterion = QStringLiteral("Changer critère");
inline const QString successesBefore = QStringLiteral("Eliminer un mot après ");
inline const QString successesUnit = QStringLiteral("réussites.");
inline const QString successesBeforeAgain = QStringLiteral("Eliminer un mot après");
inline const QString secondsBefore = QStringLiteral("Eliminer un mot trouvé en moins de");
inline const QString secondsUnit = QStringLiteral("secondes.");
inline const QString secondsThreshold = QStringLiteral("5");
inline const QString judgedOk = QStringLiteral("OK");
inline const QString judgedNo = QStringLiteral("NO");
inline const QString bravo = QStringLiteral(" BRAVO! ");
inline const QString seriesDoneSuffix = QStringLiteral(" série(s) déjà réalisée(s).");
inline const QString seriesDoneReset = QStringLiteral("0 série déjà réalisée.");
inline const QString wordsLeft = QStringLiteral("Mots restants :");
inline const QString seriesDoneInitial = QStringLiteral("0 série déjà réalisée");
inline const QString timeHeading = QStringLiteral("TEMPS");
inline const QString seriesClock = QStringLiteral("Série");
inline const QString totalClock = QStringLiteral("Total");
inline const QString backToLauncher = QStringLiteral("Sommaire");
inline const QString countdownStart = QStringLiteral("4:00");
inline const QString totalStart = QStringLiteral("0:00:00");
inline const QString successesThreshold = QStringLiteral("1");
inline const QString firstFont = QStringLiteral("1");

// A question of several words: its draw with their count, the words found in
// the score, and the line under the tiles that shows the whole answer of the
// current box, then what it missed and what it had too much.
namespace severalWords {
inline const QString draw = QStringLiteral("%1 ×%2");
inline const QString score = QStringLiteral("%1 · %2/%3 mots");
inline const QString missing = QStringLiteral("Manque : %1");
inline const QString extra = QStringLiteral("En trop : %1");
inline const QString separator = QStringLiteral(" · ");
} // namespace severalWords

// The lexicon: the one shipped, a player's own word file, what it adds to a
// player's word list, and the word sheet shown after a correction.
namespace lexicon {
inline const QString button = QStringLiteral("Lexique…");
inline const QString title = QStringLiteral("Lexique");
inline const QString bundled = QStringLiteral("Lexique fourni (Grammalecte)");
inline const QString ownFile = QStringLiteral("Un fichier de mots…");
inline const QString chooseTitle = QStringLiteral("Choisir un lexique");
inline const QString filter = QStringLiteral("Fichiers de mots (*.txt);;Tous les fichiers (*)");
inline const QString explanation = QStringLiteral(
    "Le lexique complète vos propres listes de mots et donne, après chaque correction, les "
    "rallonges des mots et les mots d'une lettre de plus. Un fichier de mots a un mot par "
    "ligne, en UTF-8 ou en Windows-1252, accents permis.");
inline const QString current = QStringLiteral("Lexique en place : %1.");
inline const QString currentShipped = QStringLiteral("le lexique fourni (Grammalecte)");
// The launcher's line while the lexicon is not the one shipped.
inline const QString inForce = QStringLiteral("Lexique : %1");
inline const QString missing = QStringLiteral(
    "Le lexique %1 est introuvable : le lexique fourni (Grammalecte) est utilisé.");
inline const QString shippedInstead =
    QStringLiteral("%1 Le lexique fourni (Grammalecte) est utilisé.");
// Why a lexicon file is refused; %1 is the quoted file name.
inline const QString refusedTail = QStringLiteral(" Le lexique en place est gardé.");
inline const QString unreadable = QStringLiteral("Le lexique ne peut pas être lu : %1");
inline const QString tooLarge =
    QStringLiteral("Le lexique %1 est trop grand : un lexique fait au plus %2 Mo.");
inline const QString tooManyLines =
    QStringLiteral("Le lexique %1 a plus de %2 lignes : un lexique en compte %2 au plus.");
inline const QString notText = QStringLiteral("Le lexique %1 n'est pas un fichier de texte.");
inline const QString noWord =
    QStringLiteral("Le lexique %1 n'a aucun mot de %2 à %3 lettres.");
inline const QString damaged = QStringLiteral(
    "Le lexique fourni %1 est abîmé : réinstallez tirages. Le lexique n'est pas utilisé.");
// Before a player's word list is trained: the words the lexicon added.
inline const QString addedTitle = QStringLiteral("Mots du lexique");
inline const QString addedOne =
    QStringLiteral("%1 a les lettres de vos mots ; il est demandé aussi : %2.");
inline const QString addedMany =
    QStringLiteral("%1 ont les lettres de vos mots ; ils sont demandés aussi : %2.");
inline const Forms lexiconWords{QStringLiteral("mot du lexique"),
                                QStringLiteral("mots du lexique")};
inline const QString more = QStringLiteral("…");
// The word sheet: a word between its hooks, the words of one letter more, the
// words typed that the lexicon does not know.
inline const QString plusOne = QStringLiteral("+ %1 : %2");
inline const QString plusOneSeparator = QStringLiteral(" ; ");
inline const QString noPlusOne = QStringLiteral("Aucun mot d'une lettre de plus");
inline const QString unknown = QStringLiteral("%1 n'est pas dans le lexique");
// What a screen reader hears of it.
inline const QString spokenName = QStringLiteral("Fiche des mots");
inline const QString spokenHooks = QStringLiteral("%1 : rallonges devant : %2 ; derrière : %3");
inline const QString spokenNone = QStringLiteral("aucune");
} // namespace lexicon

// The font cycle of the slot boxes, in the order of its clicks.
struct FontStep {
    QString family;
    bool answersToo; // the answer boxes take the font as well as the draw boxes
    bool italicsOff; // italics switched off on the draw boxes
};
inline const std::array<FontStep, 7> fontCycle = {{
    {QStringLiteral("Georgia"), false, false},
    {QStringLiteral("Verdana"), false, false},
    {QStringLiteral("Times New Roman"), false, false},
    {QStringLiteral("Lucida Sans"), false, true},
    {QStringLiteral("Arial"), false, true},
    {QStringLiteral("Abadi MT Condensed Light"), true, true},
    {QStringLiteral("MS Sans Serif"), true, true},
}};

// Names a screen reader gives to controls whose caption does not say what they are.
namespace spoken {
// A label read with what it shows: « Score de la série : 12/30 ».
inline QString labelled(const QString& name, const QString& shown) {
    return QStringLiteral("%1 : %2").arg(name, shown);
}
// The boxes, tiles and columns by their numbers, from 1.
inline const QString drawBox = QStringLiteral("Tirage %1");
inline const QString answerBox = QStringLiteral("Réponse %1");
inline const QString tileName = QStringLiteral("Lettre %1");
inline const QString columnName = QStringLiteral("Colonne %1");
// A tile by the place it stands at, counted from the left, and what it shows.
inline QString tileAt(int place, const QString& caption) {
    const QString shown = caption.trimmed();
    return QStringLiteral("Lettre %1 : %2")
        .arg(place + 1)
        .arg(shown.isEmpty() ? QStringLiteral("vide") : shown);
}
// An answer box, told by its draw, then by its result.
inline const QString draw = QStringLiteral("Tirage : %1");
inline const QString right = QStringLiteral("Juste");
inline const QString wrong = QStringLiteral("Faux, solution : %1");
// A question of several words: « Tirage : ACERT, 3 mots », « Faux : 2 mots sur
// 3, manque : TRACE », and the words typed that are no answer.
inline const QString drawOfWords = QStringLiteral("Tirage : %1, %2 mots");
inline const QString wrongWords = QStringLiteral("Faux : %1 sur %2, manque : %3");
inline const QString extraWords = QStringLiteral(", en trop : %1");
inline const QString wordsLine = QStringLiteral("Mots de la réponse");
inline const QString nextBox = QStringLiteral("Case suivante");
inline const QString search = QStringLiteral("Recherche");
inline const QString threshold = QStringLiteral("Seuil d'élimination");
inline const QString wordsLeft = QStringLiteral("Mots restants");
inline const QString seriesClock = QStringLiteral("Temps restant de la série");
inline const QString totalClock = QStringLiteral("Temps total");
inline const QString showClocks = QStringLiteral("Afficher le temps");
inline const QString fontNumber = QStringLiteral("Numéro de police");
inline const QString score = QStringLiteral("Score de la série");
inline const QString timeUsed = QStringLiteral("Temps utilisé");
inline const QString judged = QStringLiteral("Jugement");
inline const QString seriesDone = QStringLiteral("Séries réalisées");
inline const QString listBox = QStringLiteral("Liste de mots");
inline const QString about = QStringLiteral("A propos");
inline const QString countdown = QStringLiteral("Compte à rebours");
inline const QString progressLine = QStringLiteral("Entraînement gardé");
inline const QString browse = QStringLiteral("Choisir un fichier de liste");
inline const QString lexicon = QStringLiteral("Choisir le lexique");
inline const QString review = QStringLiteral("Entraîner les mots à revoir aujourd'hui");
} // namespace spoken

} // namespace tirages::texts
