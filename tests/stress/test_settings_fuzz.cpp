// Random bytes into the settings reader: it never fails hard, never reads past
// its input, and what it reads writes back the same.

#include "shell/SettingsFile.h"
#include <QTest>

#include <random>
#include <vector>

class TestSettingsFuzz : public QObject {
    Q_OBJECT
private slots:
    void millionInputs();
};

namespace {

// Mostly the bytes the reader cares about, so many inputs get deep into it.
std::vector<char> randomBytes(std::mt19937& rng)
{
    static const char alphabet[] = " \t\r\n,+-0123456789";
    std::vector<char> bytes(rng() % 24);
    for (char& byte : bytes)
        byte = rng() % 4 ? alphabet[rng() % (sizeof(alphabet) - 1)] : char(rng() % 256);
    return bytes;
}

}  // namespace

void TestSettingsFuzz::millionInputs()
{
    std::mt19937 rng(20261207);
    for (int n = 0; n < 1000000; ++n) {
        const std::vector<char> bytes = randomBytes(rng);
        // Raw data of the exact size: a read past its end is caught by the sanitizers.
        const auto pair = SettingsFile::interpreta(QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size())));
        if (!pair)
            continue;
        QVERIFY(qint16(pair->voce) == pair->voce && qint16(pair->velocita) == pair->velocita);
        // What was read writes back to bytes that read the same.
        const auto again = SettingsFile::interpreta(SettingsFile::formatta(qint16(pair->voce), qint16(pair->velocita)));
        QVERIFY(again && again->voce == pair->voce && again->velocita == pair->velocita);
    }
}

QTEST_MAIN(TestSettingsFuzz)
#include "test_settings_fuzz.moc"
