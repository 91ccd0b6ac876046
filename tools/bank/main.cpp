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
    print(stderr, QStringLiteral("velmoor-bank：%1").arg(problem));
    print(stderr,
          QStringLiteral(
              "用法：velmoor-bank import [--encoding auto|utf8|gbk] 题库文件夹 数据库\n"
              "      velmoor-bank check [--encoding auto|utf8|gbk] 数据库|题库文件夹\n"
              "      velmoor-bank export [--force] 数据库 题库文件夹\n"
              "\n"
              "import  把文件夹中的 sort.csv、subject.csv、options.csv 在一个事务中换入数据库\n"
              "        （其他表，如考试记录，原样保留；当前试卷清空），并把文件夹的 upload/\n"
              "        复制到数据库旁的 upload/。程序开着数据库时等待 3 秒，仍被占用则拒绝。\n"
              "check   列出题库的问题（文件、行、列），包括程序无法显示的图片和凑不满的每卷题量。\n"
              "export  把题库写成 UTF-8 的 CSV 文件，连同数据库旁的 upload/；先写入旁边的临时\n"
              "        文件夹，完成后再换入。已有内容的文件夹只在加 --force 时整个替换。\n"
              "\n"
              "以 = + - @ 开头的文字，export 在前面加一个英文单引号 '，以免电子表格把它当公式\n"
              "执行；import 遇到 ' 后跟（若干 ' 再跟）这些符号时去掉一个 '，所以导出再导入不变。\n"
              "成功时打印一行摘要；出错时退出码非零（用法错误 2，其他 1）。"));
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return usage(QStringLiteral("没有给出命令"));
    const QString command = args.takeFirst();

    bank::Encoding encoding = bank::Encoding::Auto;
    bool encodingGiven = false;
    bool force = false;
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
            encodingGiven = true;
            if (value == QStringLiteral("gbk"))
                encoding = bank::Encoding::Gbk;
            else if (value == QStringLiteral("utf8") || value == QStringLiteral("utf-8"))
                encoding = bank::Encoding::Utf8;
            else if (value == QStringLiteral("auto"))
                encoding = bank::Encoding::Auto;
            else
                return usage(QStringLiteral("未知的编码 \"%1\"").arg(value));
        } else if (arg == QStringLiteral("--force")) {
            force = true;
        } else if (arg.startsWith(QStringLiteral("--"))) {
            return usage(QStringLiteral("未知的选项 \"%1\"").arg(arg));
        } else {
            operands.append(arg);
        }
    }

    try {
        if (command == QStringLiteral("import")) {
            if (operands.size() != 2 || force)
                return usage(QStringLiteral("import 需要一个题库文件夹和一个数据库文件"));
            const bank::Summary summary = bank::importFolder(operands[0], operands[1], encoding);
            print(stdout, QStringLiteral("已导入：%1").arg(summary.toString()));
            return 0;
        }
        if (command == QStringLiteral("check")) {
            if (operands.size() != 1 || force)
                return usage(QStringLiteral("check 需要一个数据库文件或题库文件夹"));
            bank::Summary summary;
            const std::vector<bank::Finding> findings =
                bank::checkPath(operands[0], encoding, &summary);
            for (const bank::Finding& finding : findings)
                print(stdout, finding.toString());
            if (findings.empty()) {
                print(stdout, QStringLiteral("检查通过：%1").arg(summary.toString()));
                return 0;
            }
            print(stderr, QStringLiteral("发现 %1 个问题").arg(findings.size()));
            return 1;
        }
        if (command == QStringLiteral("export")) {
            if (operands.size() != 2 || encodingGiven)
                return usage(QStringLiteral("export 需要一个数据库文件和一个文件夹"));
            const bank::Summary summary = bank::exportDatabase(operands[0], operands[1], force);
            print(stdout, QStringLiteral("已导出：%1").arg(summary.toString()));
            return 0;
        }
    } catch (const bank::Error& e) {
        print(stderr, QStringLiteral("velmoor-bank：%1").arg(e.text()));
        return 1;
    } catch (const std::exception& e) {
        print(stderr, QStringLiteral("velmoor-bank：%1").arg(QString::fromLocal8Bit(e.what())));
        return 1;
    }
    return usage(QStringLiteral("未知的命令 \"%1\"").arg(command));
}
