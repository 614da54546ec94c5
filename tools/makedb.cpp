// Makes one of the shipped empty databases from its schema text, with the
// program's database password.

#include "platform/RuntimeError.h"
#include "platform/db/Database.h"
#include "shell/Startup.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: makedb SCHEMA.sql OUTPUT\n");
        return 2;
    }
    QFile f(QString::fromLocal8Bit(argv[1]));
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "makedb: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString schema = QString::fromUtf8(f.readAll());
    const QString out = QString::fromLocal8Bit(argv[2]);
    const QString tmp = out + QStringLiteral(".new");
    try {
        vh::Database::create(tmp, vh::DatabaseConnect(), schema);
        QFile::remove(out);
        if (!QFile::rename(tmp, out))
            throw vh::RuntimeError(75, QStringLiteral("cannot write ") + out);
    } catch (const vh::RuntimeError& e) {
        QFile::remove(tmp);
        std::fprintf(stderr, "makedb: %s\n", e.description().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
