#include "lists/catalogue.h"

#include <QDir>
#include <QFileInfo>

namespace tirages::lists {

const std::array<CatalogueList, 17>& catalogue() {
    static const std::array<CatalogueList, 17> lists = {{
        {QStringLiteral("2 à 4 lettres"), QStringLiteral("data/2-4l_tir.txt")},
        {QStringLiteral("5 lettres"), QStringLiteral("data/5l_tir.txt")},
        {QStringLiteral("6 lettres - Série A"), QStringLiteral("data/6l_tir_a.txt")},
        {QStringLiteral("6 lettres - Série B"), QStringLiteral("data/6l_tir_b.txt")},
        {QStringLiteral("6 lettres - Série C"), QStringLiteral("data/6l_tir_c.txt")},
        {QStringLiteral("7 lettres - Série A"), QStringLiteral("data/7l_tir_a.txt")},
        {QStringLiteral("7 lettres - Série B"), QStringLiteral("data/7l_tir_b.txt")},
        {QStringLiteral("7 lettres - Série C"), QStringLiteral("data/7l_tir_c.txt")},
        {QStringLiteral("8 lettres - Série A"), QStringLiteral("data/8l_tir_a.txt")},
        {QStringLiteral("8 lettres - Série B"), QStringLiteral("data/8l_tir_b.txt")},
        {QStringLiteral("8 lettres - Série C"), QStringLiteral("data/8l_tir_c.txt")},
        {QStringLiteral("2 à 6l avec lettre chère"), QStringLiteral("data/2-6lc_tir.txt")},
        {QStringLiteral("7 et 8l avec lettre chère"), QStringLiteral("data/7-8lc_tir.txt")},
        {QStringLiteral("Verbes intransitifs (<10l)"), QStringLiteral("data/vbi_tir.txt")},
        {QStringLiteral("Verbes transitifs (<10l)"), QStringLiteral("data/vbt_tir.txt")},
        {QStringLiteral("Mots invariables"), QStringLiteral("data/inv_tir.txt")},
        {QStringLiteral("9 lettres"), QStringLiteral("data/9l_tir.txt")},
    }};
    return lists;
}

namespace {

const CatalogueList* findList(const QString& name) {
    for (const CatalogueList& list : catalogue()) {
        if (list.name == name)
            return &list;
    }
    return nullptr;
}

} // namespace

QString listPath(const QString& fichier) {
    const CatalogueList* list = findList(fichier);
    return list ? list->path : fichier;
}

QString locateList(const QString& fichier, const QStringList& dataDirs) {
    const CatalogueList* list = findList(fichier);
    if (!list)
        return fichier;
    const QString& path = list->path;
    if (QFileInfo::exists(path))
        return path;
    const QString fileName = QFileInfo(path).fileName();
    for (const QString& dir : dataDirs) {
        const QString candidate = QDir(dir).filePath(fileName);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return path;
}

ListResult openList(const QString& fichier, const QStringList& dataDirs) {
    return readList(locateList(fichier, dataDirs));
}

} // namespace tirages::lists
