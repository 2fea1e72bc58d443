// Reading list files and finding them from the launcher's text.

#include "lists/catalogue.h"
#include "lists/cp1252.h"
#include "lists/listfile.h"
#include "support/testsupport.h"

#include <QFile>
#include <QtTest>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace tirages;
using namespace tirages::training;
using namespace tirages::lists;

namespace {

// The bytes of a literal that holds a NUL, all of them and no terminator.
template <std::size_t N>
QByteArray withNul(const char (&literal)[N]) {
    return QByteArray(literal, N - 1);
}

ListContent entriesOf(const ListResult& result) {
    if (const auto* error = std::get_if<ListError>(&result)) {
        qWarning() << "unexpected error:" << error->message();
        return {};
    }
    return *listEntries(result);
}

const ListError* errorOf(const ListResult& result) {
    return std::get_if<ListError>(&result);
}

// The same bytes fed to the parser in two pieces cut at `cut`.
ListResult parsedInTwo(const QByteArray& bytes, qsizetype cut) {
    ListParser parser("x");
    if (parser.feed(QByteArrayView(bytes).first(cut)))
        parser.feed(QByteArrayView(bytes).sliced(cut));
    return parser.finish();
}

// A stream of `first` followed by `line` `repeats` times (or without end when
// repeats is negative), counting the bytes it hands out.
class LineSource : public QIODevice {
public:
    LineSource(QByteArray first, QByteArray line, qint64 repeats)
        : m_pending(std::move(first)), m_line(std::move(line)), m_repeats(repeats) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    bool atEnd() const override { return m_pending.isEmpty() && m_repeats == 0; }
    qint64 delivered = 0;

protected:
    qint64 readData(char* data, qint64 max) override {
        qint64 n = 0;
        while (n < max) {
            if (m_pending.isEmpty()) {
                if (m_repeats == 0)
                    break;
                if (m_repeats > 0)
                    --m_repeats;
                m_pending = m_line;
            }
            const qint64 take = std::min<qint64>(max - n, m_pending.size());
            memcpy(data + n, m_pending.constData(), static_cast<std::size_t>(take));
            m_pending.remove(0, take);
            n += take;
        }
        delivered += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_pending;
    QByteArray m_line;
    qint64 m_repeats;
};

} // namespace

class TestListFile : public QObject {
    Q_OBJECT

private slots:
    void catalogueHasTheSeventeenListsInLauncherOrder() {
        const auto& lists = catalogue();
        QCOMPARE(lists.size(), 17u);
        QCOMPARE(lists.front().name, QStringLiteral("2 à 4 lettres"));
        QCOMPARE(lists[11].name, QStringLiteral("2 à 6l avec lettre chère"));
        QCOMPARE(lists[11].path, QStringLiteral("data/2-6lc_tir.txt"));
        QCOMPARE(lists[15].name, QStringLiteral("Mots invariables"));
        QCOMPARE(lists.back().name, QStringLiteral("9 lettres"));
        QSet<QString> paths;
        for (const auto& list : lists)
            paths.insert(list.path);
        QCOMPARE(paths.size(), 17);
    }

    void listPathMatchesNamesExactly_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("path");
        QTest::newRow("5 lettres") << "5 lettres"
                                   << "data/5l_tir.txt";
        QTest::newRow("9 lettres") << "9 lettres"
                                   << "data/9l_tir.txt";
        QTest::newRow("verbes") << "Verbes transitifs (<10l)"
                                << "data/vbt_tir.txt";
        QTest::newRow("other case") << "5 Lettres"
                                    << "5 Lettres";
        QTest::newRow("trailing space") << "5 lettres "
                                        << "5 lettres ";
        QTest::newRow("accent dropped") << "6 lettres - Serie A"
                                        << "6 lettres - Serie A";
        QTest::newRow("prompt") << "Sélectionnez votre liste"
                                << "Sélectionnez votre liste";
        QTest::newRow("typed path") << "/tmp/mine.txt"
                                    << "/tmp/mine.txt";
    }
    void listPathMatchesNamesExactly() {
        QFETCH(QString, text);
        QFETCH(QString, path);
        QCOMPARE(listPath(text), path);
    }

    void locateListFallsBackToDataFoldersForCatalogueListsOnly() {
        test::WorkingFolder cwd;
        QTemporaryDir installed;
        QFile::copy(test::fixture("twelve.txt"), installed.filePath("5l_tir.txt"));
        QFile::copy(test::fixture("twelve.txt"), installed.filePath("mine.txt"));
        const QStringList dirs = {"/nonexistent", installed.path()};

        QCOMPARE(locateList("5 lettres", dirs), installed.filePath("5l_tir.txt"));
        // Not in any folder: the catalogue path, so that the error names it.
        QCOMPARE(locateList("9 lettres", dirs), QStringLiteral("data/9l_tir.txt"));
        // A typed path is taken as it stands.
        QCOMPARE(locateList("mine.txt", dirs), QStringLiteral("mine.txt"));

        // A list in the working directory wins over the installed one.
        cwd.write("data/5l_tir.txt", "A;B\r\n");
        QCOMPARE(locateList("5 lettres", dirs), QStringLiteral("data/5l_tir.txt"));
    }

    void parseSplitsLinesAndFields_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected"); // draw, solution, draw, solution...
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("no final line end")
            << QByteArray("AB;BA\r\nCD;DC") << QStringList{"AB", "BA", "CD", "DC"};
        QTest::newRow("final CR LF adds nothing")
            << QByteArray("AB;BA\r\n") << QStringList{"AB", "BA"};
        QTest::newRow("lone CR") << QByteArray("AB;BA\rCD;DC\r")
                                 << QStringList{"AB", "BA", "CD", "DC"};
        QTest::newRow("lone LF") << QByteArray("AB;BA\nCD;DC\n")
                                 << QStringList{"AB", "BA", "CD", "DC"};
        QTest::newRow("two semicolons") << QByteArray("AB;C;D") << QStringList{"AB", "C;D"};
        QTest::newRow("empty solution") << QByteArray("AB;") << QStringList{"AB", ""};
        QTest::newRow("empty draw") << QByteArray(";AB") << QStringList{"", "AB"};
        QTest::newRow("nothing trimmed")
            << QByteArray(" a b ; C d \t") << QStringList{" a b ", " C d \t"};
        QTest::newRow("accents") << QByteArray("\xC9T\xC9;\xE9t\xE9") << QStringList{"ÉTÉ", "été"};
    }
    void parseSplitsLinesAndFields() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        const ListContent entries = entriesOf(parseList(bytes, "x"));
        QStringList fields;
        for (const Entry& entry : entries)
            fields << entry.draw << entry.expected;
        QCOMPARE(fields, expected);
        // Read as a stream, a line end split between two reads is still one.
        for (qsizetype cut = 0; cut <= bytes.size(); ++cut)
            QCOMPARE(entriesOf(parsedInTwo(bytes, cut)), entries);
    }

    void parseRejectsLinesWithoutSeparator_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("empty");
        QTest::newRow("first line") << QByteArray("ABC\r\nA;B") << 1 << false;
        QTest::newRow("third line") << QByteArray("A;B\r\nC;D\r\nEFG\r\n") << 3 << false;
        QTest::newRow("empty line") << QByteArray("A;B\r\n\r\nC;D") << 2 << true;
        QTest::newRow("blank line at the end") << QByteArray("A;B\r\n\r\n") << 2 << true;
        QTest::newRow("CR then CR LF") << QByteArray("A;B\r\r\nC;D") << 2 << true;
        QTest::newRow("only a line end") << QByteArray("\n") << 1 << true;
    }
    void parseRejectsLinesWithoutSeparator() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(bool, empty);
        const ListResult result = parseList(bytes, "data/x.txt");
        const ListError* error = errorOf(result);
        QVERIFY(error);
        QCOMPARE(error->kind, ListError::Kind::MissingSeparator);
        QCOMPARE(error->line, line);
        QCOMPARE(error->emptyLine, empty);
        QVERIFY(error->message().contains("« data/x.txt »"));
        QVERIFY(error->message().contains(QStringLiteral("ligne %1").arg(line)));
        for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
            const ListResult streamed = parsedInTwo(bytes, cut);
            QVERIFY(errorOf(streamed));
            QCOMPARE(errorOf(streamed)->line, line);
            QCOMPARE(errorOf(streamed)->emptyLine, empty);
        }
    }

    void readsUtf8FilesAsUtf8_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected"); // draw, solution, ...
        QTest::newRow("UTF-8") << QByteArray("EEPRRSTU;\xc3\x89TRE\r\nAB;C\xc5\x92UR")
                               << QStringList{"EEPRRSTU", "ÉTRE", "AB", "CŒUR"};
        QTest::newRow("UTF-8 with its mark")
            << QByteArray("\xef\xbb\xbf\xc3\x89T\xc3\x89;\xc3\xa9t\xc3\xa9")
            << QStringList{"ÉTÉ", "été"};
        QTest::newRow("a mark inside stays")
            << QByteArray("\xef\xbb\xbf\xef\xbb\xbf"
                          "A;\xef\xbb\xbf"
                          "B")
            << QStringList{QStringLiteral("\uFEFFA"), QStringLiteral("\uFEFFB")};
        QTest::newRow("the mark alone makes it UTF-8") << QByteArray("\xef\xbb\xbf"
                                                                     "AB;BA")
                                                       << QStringList{"AB", "BA"};
        QTest::newRow("ASCII only: the same either way")
            << QByteArray("AB;BA\r\nCD;DC") << QStringList{"AB", "BA", "CD", "DC"};
        QTest::newRow("Windows-1252 that is no UTF-8")
            << QByteArray("\xc9T\xc9;\xe9t\xe9") << QStringList{"ÉTÉ", "été"};
        QTest::newRow("valid UTF-8 in one line only is no UTF-8 file")
            << QByteArray("\xc3\xa9;A\r\n\xe9;B") << QStringList{"Ã©", "A", "é", "B"};
    }
    void readsUtf8FilesAsUtf8() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
            QStringList fields;
            for (const Entry& entry : entriesOf(parsedInTwo(bytes, cut)))
                fields << entry.draw << entry.expected;
            QCOMPARE(fields, expected);
        }
    }

    void everyWindows1252ByteFromHighHalf() {
        // 0x80 to 0xFF, each as a draw: never valid UTF-8 as a whole.
        QByteArray bytes;
        for (int b = 0x80; b <= 0xFF; ++b)
            bytes += QByteArray(1, static_cast<char>(b)) + ";x\r\n";
        const ListContent entries = entriesOf(parseList(bytes, "x"));
        QCOMPARE(entries.size(), 128);
        for (int b = 0x80; b <= 0xFF; ++b)
            QCOMPARE(test::toCp1252(entries[b - 0x80].draw), QByteArray(1, static_cast<char>(b)));
        QCOMPARE(entries[0xE9 - 0x80].draw, QStringLiteral("é"));
    }

    void decodesEveryWindows1252Byte() {
        const ListContent entries = entriesOf(readList(test::fixture("cp1252.txt")));
        QCOMPARE(entries.size(), 1);
        const QString draw = entries[0].draw;
        QCOMPARE(draw.size(), 32);
        QCOMPARE(draw[0], QChar(0x20AC));    // €
        QCOMPARE(draw[0x0C], QChar(0x0152)); // Œ
        QCOMPARE(draw[0x1C], QChar(0x0153)); // œ
        QCOMPARE(draw[0x1F], QChar(0x0178)); // Ÿ
        for (int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
            QCOMPARE(draw[undefined - 0x80], QChar(undefined));
        QCOMPARE(entries[0].expected, QStringLiteral("éàçœŒÿ"));
        // Encoding gives the same bytes back.
        QByteArray bytes;
        for (int b = 0x80; b < 0xA0; ++b)
            bytes.append(static_cast<char>(b));
        QCOMPARE(test::toCp1252(draw), bytes);
    }

    void readsFixtures() {
        QCOMPARE(entriesOf(readList(test::fixture("twelve.txt"))).size(), 12);
        QCOMPARE(entriesOf(readList(test::fixture("empty.txt"))).size(), 0);
        const ListContent corners = entriesOf(readList(test::fixture("corners.txt")));
        const ListContent expected = {
            {"AB", "C;D"}, {"EFG", ""}, {"", "HIJ"}, {" K ", " L "}, {"Mn", "oP"}};
        QCOMPARE(corners, expected);
        const ListContent endings = entriesOf(readList(test::fixture("endings.txt")));
        QCOMPARE(endings, (ListContent{{"A", "1"}, {"B", "2"}, {"C", "3"}, {"D", "4"}}));
    }

    void reportsBrokenFixtures() {
        const ListResult noSeparator = readList(test::fixture("no_separator.txt"));
        QVERIFY(errorOf(noSeparator));
        QCOMPARE(errorOf(noSeparator)->line, 3);
        const ListResult emptyLine = readList(test::fixture("empty_line.txt"));
        QVERIFY(errorOf(emptyLine));
        QCOMPARE(errorOf(emptyLine)->line, 2);
        QVERIFY(errorOf(emptyLine)->message().contains("vide"));
    }

    // A binary file is refused for what it is, not trained as words.
    void refusesWhatIsNoText_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("text");
        QByteArray garbled;
        for (int i = 0; i < 3000; ++i)
            garbled += char(1 + (i * 37) % 250);
        QTest::newRow("NUL in a list") << withNul("ABERR;ARBRE\r\nAB\0T;TA\r\n") << false;
        QTest::newRow("NUL in a word") << withNul("arbre\nta\0ble\n") << false;
        QTest::newRow("control bytes") << garbled << false;
        QTest::newRow("words, one garbled") << QByteArray("arbre\ntable\nx\x01y\n") << true;
        QTest::newRow("tabs in words") << QByteArray("arbre\t\ntable\n") << true;
    }
    void refusesWhatIsNoText() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, text);
        const ListResult read = parseList(bytes, "x.bin");
        QCOMPARE(!errorOf(read) || errorOf(read)->kind != ListError::Kind::NotText, text);
        if (!text)
            QCOMPARE(errorOf(read)->message(),
                     QStringLiteral("La liste « x.bin » n'est pas un fichier de texte."));
    }

    void reportsFilesThatCannotBeRead() {
        test::WorkingFolder cwd;
        cwd.write("folder/inside.txt", "A;B");

        const ListResult missing = readList("absent.txt");
        QVERIFY(errorOf(missing));
        QCOMPARE(errorOf(missing)->kind, ListError::Kind::NotFound);
        QVERIFY(errorOf(missing)->message().contains("« absent.txt »"));

        const ListResult folder = readList("folder");
        QVERIFY(errorOf(folder));
        QCOMPARE(errorOf(folder)->kind, ListError::Kind::NotAFile);

#ifndef Q_OS_WIN
        // Devices and pipes are refused without being opened: a pipe would block.
        QCOMPARE(::mkfifo("pipe", 0600), 0);
        for (const char* special : {"/dev/zero", "/dev/urandom", "pipe"}) {
            const ListResult device = readList(special);
            QVERIFY(errorOf(device));
            QCOMPARE(errorOf(device)->kind, ListError::Kind::NotAFile);
        }
#endif
    }

    void reportsFilesWithoutReadPermission() {
#ifdef Q_OS_WIN
        QSKIP("file permissions are POSIX ones");
#else
        if (geteuid() == 0)
            QSKIP("root reads every file");
        test::WorkingFolder cwd;
        cwd.write("locked.txt", "A;B");
        QFile::setPermissions("locked.txt", QFileDevice::WriteOwner);
        const ListResult locked = readList("locked.txt");
        QVERIFY(errorOf(locked));
        QCOMPARE(errorOf(locked)->kind, ListError::Kind::Unreadable);
    #endif
    }

    void loadsTenThousandDrawsInAHundredThousandLinesAndNoMore() {
        test::WorkingFolder cwd;
        cwd.write("full.txt", test::numberedList(10000));
        const ListContent full = entriesOf(readList("full.txt"));
        QCOMPARE(full.size(), 10000);
        QCOMPARE(full.last(), (Entry{"D9999", "S9999"}));

        cwd.write("over.txt", test::numberedList(10001));
        const ListResult over = readList("over.txt");
        QVERIFY(errorOf(over));
        QCOMPARE(errorOf(over)->kind, ListError::Kind::TooManyEntries);
        QCOMPARE(errorOf(over)->message(),
                 QStringLiteral("La liste « over.txt » a plus de 10000 tirages différents : "
                                "une liste en compte 10000 au plus."));

        // Ten words to each of the 10000 draws.
        QByteArray tenEach;
        for (int i = 0; i < 100000; ++i)
            tenEach += "D" + QByteArray::number(i / 10) + ";S" + QByteArray::number(i) + "\n";
        QCOMPARE(entriesOf(parseList(tenEach, "x")).size(), 100000);
        const ListResult more = parseList(tenEach + "D0;T\n", "x");
        QVERIFY(errorOf(more));
        QCOMPARE(errorOf(more)->kind, ListError::Kind::TooManyLines);
        QVERIFY(errorOf(more)->message().contains("plus de 100000 lignes"));
    }

    void loadsLongLinesWhole() {
        const QByteArray draw(100000, 'A');
        const QByteArray solution(70000, 'B');
        const ListContent entries = entriesOf(parseList(draw + ";" + solution + "\r\n", "x"));
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].draw.size(), 100000);
        QCOMPARE(entries[0].expected.size(), 70000);

        // From a file, such lines span many reads.
        test::WorkingFolder cwd;
        const QByteArray longDraw(3 * 1000 * 1000, 'C');
        cwd.write("long.txt", "A;B\r\n" + longDraw + ";" + solution + "\r\nD;E");
        const ListContent fromFile = entriesOf(readList("long.txt"));
        QCOMPARE(fromFile.size(), 3);
        QCOMPARE(fromFile[1].draw, QString::fromLatin1(longDraw));
        QCOMPARE(fromFile[1].expected.size(), 70000);
        QCOMPARE(fromFile[2], (Entry{"D", "E"}));
    }

    void refusesFilesOverTheBoundWithoutReadingThem() {
        test::WorkingFolder cwd;
        // Sparse files: the size is there, the disk holds next to nothing. Read,
        // their first line would be reported as having no ";".
        for (const qint64 size : {kMaxListBytes + 1, qint64{3} * 1000 * 1000 * 1000}) {
            QFile file("big.txt");
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("no separator\n");
            QVERIFY(file.resize(size));
            file.close();
            const ListResult result = readList("big.txt");
            QVERIFY(errorOf(result));
            QCOMPARE(errorOf(result)->kind, ListError::Kind::TooLarge);
            QCOMPARE(errorOf(result)->message(),
                     QStringLiteral("La liste « big.txt » est trop grande : un fichier de liste "
                                    "fait au plus 16 Mo."));
        }
        // At the bound the file is read, and stops at the zero bytes after
        // the entry: no text.
        QFile file("big.txt");
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("A;B\n");
        QVERIFY(file.resize(kMaxListBytes));
        file.close();
        const ListResult atBound = readList("big.txt");
        QVERIFY(errorOf(atBound));
        QCOMPARE(errorOf(atBound)->kind, ListError::Kind::NotText);
    }

    void streamsStopAsSoonAsTheAnswerIsKnown() {
        constexpr qint64 kChunk = 64 * 1024; // one read of the reader
        // A million lines whose first is bad: one read.
        LineSource badFirst("no separator\r\n", "A;B\r\n", 1000 * 1000);
        const ListResult bad = readList(badFirst, "s");
        QVERIFY(errorOf(bad));
        QCOMPARE(errorOf(bad)->line, 1);
        QVERIFY(badFirst.delivered <= kChunk);

        // Two hundred thousand lines of one draw: the reader stops at the 100001st.
        const QByteArray line = "ABCDEFG;GFEDCBA\r\n";
        LineSource tooMany("", line, 200000);
        const ListResult many = readList(tooMany, "s");
        QVERIFY(errorOf(many));
        QCOMPARE(errorOf(many)->kind, ListError::Kind::TooManyLines);
        QVERIFY(tooMany.delivered <= (kMaxLines + 1) * line.size() + kChunk);

        // A line without end, as a special file may give: cut at the bound.
        LineSource endless("", QByteArray(4096, 'x'), -1);
        const ListResult cut = readList(endless, "s");
        QVERIFY(errorOf(cut));
        QCOMPARE(errorOf(cut)->kind, ListError::Kind::TooLarge);
        QVERIFY(endless.delivered <= kMaxListBytes + kChunk);

        // A stream that ends in time gives its entries.
        LineSource fine("A;B\r", "\nC;D\r", 3);
        QCOMPARE(entriesOf(readList(fine, "s")),
                 (ListContent{{"A", "B"}, {"C", "D"}, {"C", "D"}, {"C", "D"}}));
    }
};

QTEST_GUILESS_MAIN(TestListFile)
#include "core_listfile.moc"
