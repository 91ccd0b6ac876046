// The layers of src/: every include runs down the layer direction and no file reaches itself
// through its includes. The build enforces most of it (a layer sees only the headers of the layers
// it links); this also catches what include paths cannot: "../", same-name files, circles.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

// What each folder of src/ may include besides itself; "" is src/ itself (main.cpp).
const QHash<QString, QSet<QString>>& allowed()
{
    const auto set = [](std::initializer_list<const char*> names) {
        QSet<QString> layers{QStringLiteral("base")};
        for (const char* name : names)
            layers << QString::fromLatin1(name);
        return layers;
    };
    static const QSet<QString> windows = set({"platform", "core", "data", "pictures"});
    static const QHash<QString, QSet<QString>> table{
        {QStringLiteral("base"), {}},
        {QStringLiteral("data"), set({})},
        {QStringLiteral("pictures"), set({})},
        {QStringLiteral("core"), set({"data"})},
        {QStringLiteral("platform"), set({"data", "pictures"})},
        {QStringLiteral("menu"), windows},
        {QStringLiteral("exam"), windows},
        {QStringLiteral("review"), windows},
        {QStringLiteral("app"), windows + set({"menu", "exam", "review"})},
        {QString(), set({"app"})},
    };
    return table;
}

QString layerOf(const QString& relativePath)
{
    const qsizetype slash = relativePath.indexOf(u'/');
    return slash < 0 ? QString() : relativePath.left(slash);
}

// The project includes of one file: #include "..." in code, <header> in a .ui file.
QStringList includesOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression include(
        QStringLiteral("^\\s*#\\s*include\\s*\"([^\"]+)\"|<header>([^<]+)</header>"),
        QRegularExpression::MultilineOption);
    QStringList names;
    const QString text = QString::fromUtf8(file.readAll());
    for (const QRegularExpressionMatch& m : include.globalMatch(text))
        names << (m.captured(1).isEmpty() ? m.captured(2) : m.captured(1));
    return names;
}

// Every breach of the direction and every include circle under `src`, one line each; empty when
// the tree is clean. An include is resolved as the compiler does: beside the file, then from src/.
// Generated headers (ui_*.h, *.moc) resolve to nothing and are skipped.
QStringList layerProblems(const QString& src)
{
    const QDir root(src);
    QHash<QString, QStringList> graph; // file -> files it includes, relative to src
    QStringList problems;
    QDirIterator it(src, {QStringLiteral("*.h"), QStringLiteral("*.cpp"), QStringLiteral("*.ui")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString from = root.relativeFilePath(path);
        const QString fromLayer = layerOf(from);
        QStringList& edges = graph[from];
        for (const QString& name : includesOf(path)) {
            QString target = QDir::cleanPath(QFileInfo(path).dir().filePath(name));
            if (!QFileInfo::exists(target))
                target = QDir::cleanPath(root.filePath(name));
            if (!QFileInfo::exists(target))
                continue;
            const QString to = root.relativeFilePath(target);
            if (to.startsWith(QLatin1String("../")))
                continue;
            edges << to;
            const QString toLayer = layerOf(to);
            if (toLayer == fromLayer)
                continue;
            if (!allowed().contains(fromLayer))
                problems << QStringLiteral("%1: folder %2 has no place among the layers")
                                .arg(from, fromLayer);
            else if (!allowed()[fromLayer].contains(toLayer))
                problems << QStringLiteral("%1 includes %2: %3 must not include %4")
                                .arg(from, to,
                                     fromLayer.isEmpty() ? QStringLiteral("src") : fromLayer,
                                     toLayer.isEmpty() ? QStringLiteral("src") : toLayer);
        }
    }

    // Depth-first search; a file met again while still on the path closes a circle.
    enum class Mark { None, OnPath, Done };
    QHash<QString, Mark> mark;
    QStringList path;
    std::function<void(const QString&)> visit = [&](const QString& file) {
        mark[file] = Mark::OnPath;
        path << file;
        for (const QString& next : graph.value(file)) {
            if (mark.value(next) == Mark::OnPath) {
                const QStringList circle = path.mid(path.indexOf(next)) << next;
                problems << QStringLiteral("include circle: ") +
                                circle.join(QStringLiteral(" -> "));
            } else if (mark.value(next) == Mark::None) {
                visit(next);
            }
        }
        path.removeLast();
        mark[file] = Mark::Done;
    };
    QStringList files = graph.keys();
    files.sort();
    for (const QString& file : files) {
        if (mark.value(file) == Mark::None)
            visit(file);
    }
    problems.sort();
    return problems;
}

void write(const QTemporaryDir& dir, const QString& name, const QByteArray& text)
{
    QVERIFY(QDir(dir.path()).mkpath(QFileInfo(name).path()));
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write(text) == text.size());
}

} // namespace

class LayersTest : public QObject
{
    Q_OBJECT

private slots:
    void sourceTreeFollowsTheLayers()
    {
        const QStringList problems = layerProblems(QStringLiteral(VELMOOR_SOURCE_DIR "/src"));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        // The walk saw the tree: the exam window includes the platform.
        QVERIFY(includesOf(QStringLiteral(VELMOOR_SOURCE_DIR "/src/exam/tmnks.h"))
                    .contains(QStringLiteral("platform/form.h")));
    }

    void catchesIncludesAgainstTheDirection()
    {
        QTemporaryDir src;
        write(src, QStringLiteral("platform/form.h"), "#pragma once\n");
        write(src, QStringLiteral("exam/tmnks.h"), "#include \"platform/form.h\"\n");
        write(src, QStringLiteral("menu/tmain.cpp"), "#include \"exam/tmnks.h\"\n");
        write(src, QStringLiteral("core/paper.cpp"), "#include \"../platform/form.h\"\n");
        write(src, QStringLiteral("review/viewer.ui"), "<header>menu/tmain.cpp</header>\n");
        write(src, QStringLiteral("extra/thing.h"), "#include \"core/paper.cpp\"\n");
        QCOMPARE(layerProblems(src.path()),
                 (QStringList{
                     QStringLiteral("core/paper.cpp includes platform/form.h: core must not "
                                    "include platform"),
                     QStringLiteral("extra/thing.h: folder extra has no place among the layers"),
                     QStringLiteral("menu/tmain.cpp includes exam/tmnks.h: menu must not include "
                                    "exam"),
                     QStringLiteral("review/viewer.ui includes menu/tmain.cpp: review must not "
                                    "include menu"),
                 }));
    }

    void catchesIncludeCircles()
    {
        QTemporaryDir src;
        write(src, QStringLiteral("exam/a.h"), "#include \"b.h\"\n");
        write(src, QStringLiteral("exam/b.h"), "#include \"exam/c.h\"\n");
        write(src, QStringLiteral("exam/c.h"), "#include \"a.h\"\n#include \"ui_c.h\"\n");
        write(src, QStringLiteral("app/main.cpp"), "#include \"exam/a.h\"\n");
        QCOMPARE(layerProblems(src.path()),
                 QStringList{QStringLiteral(
                     "include circle: exam/a.h -> exam/b.h -> exam/c.h -> exam/a.h")});
    }
};

QTEST_GUILESS_MAIN(LayersTest)
#include "layers_test.moc"
