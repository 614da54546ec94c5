// A seeded random-mutation loop over the older version's record readers and
// the conversion of a team: damaged files must read within their layouts and
// convert or fail cleanly, never crash (the suite runs under the sanitizers).
// VH_FUZZ_SECONDS sets the time (3 by default), VH_FUZZ_SEED the seed.

#include "datamgmt/ConvertCore.h"
#include "datamgmt/OldDataFiles.h"
#include "shell/Globals.h"
#include "support/OldDataWriter.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

using namespace vh;
using namespace vh::test;

namespace {

QByteArray mutate(QByteArray data, QRandomGenerator& rng)
{
    const int steps = 1 + int(rng.bounded(8));
    for (int i = 0; i < steps; ++i) {
        const qsizetype at = data.isEmpty() ? 0 : qsizetype(rng.bounded(quint32(data.size())));
        switch (rng.bounded(7)) {
        case 0:  // flip a bit
            if (!data.isEmpty())
                data[at] = char(data[at] ^ char(1 << rng.bounded(8)));
            break;
        case 1:  // a byte of special meaning to the readers
            if (!data.isEmpty()) {
                static const char special[] = {'\0', ' ', 'A', 'P', 'G', '0', '1', '7', '8', '\x7f', '\x80', '\xff'};
                data[at] = special[rng.bounded(quint32(sizeof special))];
            }
            break;
        case 2:  // an extreme 16-bit number
            if (data.size() >= 2) {
                static const int16_t extremes[] = {0, -1, 1, 99, 100, 32767, -32768};
                putInt(data, std::min<qsizetype>(at, data.size() - 2), extremes[rng.bounded(7)]);
            }
            break;
        case 3:  // cut the file short
            data.truncate(at);
            break;
        case 4:  // grow it with noise
            for (int n = int(rng.bounded(300)); n > 0; --n)
                data.append(char(rng.bounded(256)));
            break;
        case 5:  // drop a run of bytes, so that records shift
            data.remove(at, qsizetype(rng.bounded(200)));
            break;
        default:  // repeat a run
            data.insert(at, data.mid(at, qsizetype(rng.bounded(300))));
            break;
        }
    }
    return data;
}

bool withinWidth(const QString& s, int width) { return s.size() <= width && !s.startsWith(QLatin1Char(' ')); }

}  // namespace

class TestOldFilesFuzz : public QObject {
    Q_OBJECT

private slots:
    void readersAndConversionSurviveDamagedFiles()
    {
        const auto env = TestEnv::withNewDatabase();
        const quint32 seed = qEnvironmentVariableIsSet("VH_FUZZ_SEED") ? quint32(qEnvironmentVariableIntValue("VH_FUZZ_SEED"))
                                                                         : 20261206u;
        const int seconds = qEnvironmentVariableIsSet("VH_FUZZ_SECONDS") ? qEnvironmentVariableIntValue("VH_FUZZ_SECONDS") : 3;
        QRandomGenerator rng(seed);
        const OldTeamBytes sample = sampleOldTeam();
        const QByteArray teams = oldTeamList({{1, {"Ice Hawks", "Hawks"}}});
        const QByteArray settings = oldSettings(sampleOldSettings());

        QElapsedTimer timer;
        timer.start();
        int rounds = 0, converted = 0, refused = 0;
        while (timer.elapsed() < seconds * 1000) {
            ++rounds;
            const auto list = ReadOldTeamList(mutate(teams, rng));
            if (list) {
                QCOMPARE(list->size(), size_t(100));
                for (const OldTeam& t : *list)
                    QVERIFY(withinWidth(t.longName, 25) && withinWidth(t.shortName, 10));
            }
            if (const auto s = ReadOldSettings(mutate(settings, rng)))
                for (const QString& c : s->playerCategories)
                    QCOMPARE(c.size(), 3);

            OldTeamInput in;
            in.longName = QStringLiteral("Team %1").arg(rounds);
            in.files = {mutate(sample.names, rng), mutate(sample.info, rng), mutate(sample.games, rng),
                        mutate(sample.stats, rng)};
            in.gameTypeMap = {1, 2, 0, 0, 5, 0, 0};
            for (const OldGame& game : ReadOldGames(in.files.games)) {
                QVERIFY(withinWidth(game.opponent, 25) && withinWidth(game.notes, 58));
                if (const auto d = OldGameDate(game.dateDigits))
                    QVERIFY(d->year() >= 1930 && d->year() <= 2029);
            }
            QCOMPARE(qsizetype(ReadOldStats(in.files.stats).size()),
                     OldRecordCount(in.files.stats.size(), OldRecordLength::PlayerStats));
            QCOMPARE(qsizetype(ReadOldPlayerInfo(in.files.info).size()),
                     OldRecordCount(in.files.info.size(), OldRecordLength::PlayerInfo));

            // Every fourth round converts, undone afterwards to keep the
            // database small; a failure must be the database's own error.
            if (rounds % 4 != 0)
                continue;
            Transaction keepNothing(Db());
            try {
                const OldTeamOutcome out = ConvertOldTeam(Db(), in);
                QVERIFY(out.added);
                QCOMPARE(Db().scalar(QStringLiteral("select count(*) from GameStats where TeamNumber = ?"),
                                     {int(out.teamNumber)}).toInt(), out.games);
                QVERIFY(Db().scalar(QStringLiteral("select count(*) from GameStats where Periods not in (3, 4)")).toInt() == 0);
                ++converted;
            } catch (const RuntimeError&) {
                ++refused;
            }
        }
        qInfo("%d rounds, %d conversions, %d refused (seed %u)", rounds, converted, refused, seed);
        QVERIFY(converted > 0);
    }
};

VH_TEST_MAIN(TestOldFilesFuzz)
#include "tst_oldfilesfuzz.moc"
