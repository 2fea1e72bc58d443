#include "lists/listid.h"

#include "lists/catalogue.h"
#include "texts.h"

#include <QFileInfo>

namespace tirages::lists {
namespace {

const QString kReviewsKey = QStringLiteral("memory:reviews");
const QString kHardestKey = QStringLiteral("memory:hardest");

bool isCatalogueName(const QString& text) {
    return listPath(text) != text;
}

} // namespace

ListId ListId::typed(const QString& text) {
    if (text.isEmpty() || isCatalogueName(text))
        return {Kind::Bundled, text};
    const QFileInfo file(text);
    const QString real = file.canonicalFilePath();
    return {Kind::File, real.isEmpty() ? file.absoluteFilePath() : real};
}

ListId ListId::of(Kind kind) {
    return {kind, kind == Kind::Reviews ? kReviewsKey : kHardestKey};
}

ListId ListId::fromKey(const QString& key) {
    if (key == kReviewsKey)
        return of(Kind::Reviews);
    if (key == kHardestKey)
        return of(Kind::Hardest);
    return {isCatalogueName(key) ? Kind::Bundled : Kind::File, key};
}

QString ListId::caption() const {
    switch (m_kind) {
    case Kind::Bundled:
        return m_key;
    case Kind::File: // kept from Linux or from Windows alike
        return m_key.section(u'/', -1).section(u'\\', -1);
    case Kind::Reviews:
        return texts::reviews::listName;
    case Kind::Hardest:
        return texts::statistics::hardestList;
    }
    return m_key;
}

} // namespace tirages::lists
