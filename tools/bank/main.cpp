#include "bankio.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

void print(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

int usage(const QString& problem)
{
    print(stderr, QStringLiteral("velmoor-bank: %1").arg(problem));
    print(stderr, QStringLiteral("usage: velmoor-bank import [--encoding auto|utf8|gbk] DIR DB\n"
                                 "       velmoor-bank check [--encoding auto|utf8|gbk] DB|DIR\n"
                                 "       velmoor-bank export DB DIR"));
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return usage(QStringLiteral("no command given"));
    const QString command = args.takeFirst();

    bank::Encoding encoding = bank::Encoding::Auto;
    QStringList operands;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QStringLiteral("--encoding") || arg.startsWith(QStringLiteral("--encoding="))) {
            QString value;
            if (arg.contains(QLatin1Char('=')))
                value = arg.section(QLatin1Char('='), 1);
            else if (i + 1 < args.size())
                value = args[++i];
            value = value.toLower();
            if (value == QStringLiteral("gbk"))
                encoding = bank::Encoding::Gbk;
            else if (value == QStringLiteral("utf8") || value == QStringLiteral("utf-8"))
                encoding = bank::Encoding::Utf8;
            else if (value == QStringLiteral("auto"))
                encoding = bank::Encoding::Auto;
            else
                return usage(QStringLiteral("unknown encoding \"%1\"").arg(value));
        } else if (arg.startsWith(QStringLiteral("--"))) {
            return usage(QStringLiteral("unknown option \"%1\"").arg(arg));
        } else {
            operands.append(arg);
        }
    }

    try {
        if (command == QStringLiteral("import")) {
            if (operands.size() != 2)
                return usage(QStringLiteral("import takes a folder and a database file"));
            bank::importFolder(operands[0], operands[1], encoding);
            return 0;
        }
        if (command == QStringLiteral("check")) {
            if (operands.size() != 1)
                return usage(QStringLiteral("check takes one database file or folder"));
            const std::vector<bank::Finding> findings = bank::checkPath(operands[0], encoding);
            for (const bank::Finding& finding : findings)
                print(stdout, finding.toString());
            if (findings.empty())
                return 0;
            print(stderr, QStringLiteral("%1 finding(s)").arg(findings.size()));
            return 1;
        }
        if (command == QStringLiteral("export")) {
            if (operands.size() != 2 || encoding != bank::Encoding::Auto)
                return usage(QStringLiteral("export takes a database file and a folder"));
            bank::exportDatabase(operands[0], operands[1]);
            return 0;
        }
    } catch (const bank::Error& e) {
        print(stderr, QStringLiteral("velmoor-bank: %1").arg(e.text()));
        return 1;
    }
    return usage(QStringLiteral("unknown command \"%1\"").arg(command));
}
