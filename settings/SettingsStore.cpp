#include "settings/SettingsStore.h"

#include <sys/stat.h>

#include <QFile>
#include <array>
#include <charconv>
#include <string_view>
#include <utility>

#include "platform/IniFile.h"
#include "settings/ResumeKey.h"
#include "settings/SettingsFolder.h"

namespace {

constexpr char16_t kSettings[] = u"Settings";

// Numbers are written and read without the user's locale, which may use a decimal comma,
// so that files stay readable whatever locale the player runs under.
QString Fixed(double value, int decimals) {
    // Room for the longest double in fixed notation: 309 digits, sign, point, decimals.
    std::array<char, 400> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::fixed, decimals);
    return result.ec == std::errc{} ? QString::fromLatin1(text.data(), result.ptr - text.data())
                                    : QStringLiteral("0");
}

QString Integer(int value) {
    std::array<char, 16> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
    return QString::fromLatin1(text.data(), result.ptr - text.data());
}

bool IsDecimalStart(char c) { return (c >= '0' && c <= '9') || c == '.'; }

// The longest leading decimal number, as the C library's strtod reads it in the C locale,
// and 0 when there is none. Only decimal notation counts: "inf", "nan", hexadecimal and
// values beyond the range of double also give 0, so that a hand-edited file cannot hand
// the engine a volume or a position that is not a finite number.
double Decimal(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::string_view digits(bytes.constData(), static_cast<size_t>(bytes.size()));
    const bool plus = digits.starts_with('+');
    const size_t first = (plus || digits.starts_with('-')) ? 1 : 0;
    if (digits.size() <= first || !IsDecimalStart(digits[first])) {
        return 0.0;
    }
    // from_chars takes a minus sign but not a plus.
    if (plus) {
        digits.remove_prefix(1);
    }
    double value = 0.0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                        std::chars_format::general);
    return result.ec == std::errc{} ? value : 0.0;
}

// Like mkdir -p, but a folder created here is private to the user: it holds what they have
// played. Failure, including a folder that exists, is left to the file operations.
void CreateFolder(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    for (qsizetype end = path.indexOf('/', 1); end >= 0; end = path.indexOf('/', end + 1)) {
        ::mkdir(path.left(end).constData(), 0700);
    }
    ::mkdir(path.constData(), 0700);
}

}  // namespace

SettingsStore& SettingsStore::Instance() {
    static SettingsStore store(SettingsFolder());
    return store;
}

SettingsStore::SettingsStore(QString folder) : m_folder(std::move(folder)) {
    if (!m_folder.endsWith(u'/')) {
        m_folder += u'/';
    }
}

QString SettingsStore::FilePath(const QString& name) const {
    CreateFolder(m_folder);
    return m_folder + name;
}

QString SettingsStore::ConfigFilePath() const { return FilePath(QStringLiteral("config.ini")); }

QString SettingsStore::ProgressFilePath() const { return FilePath(QStringLiteral("progress.ini")); }

void SettingsStore::Load() {
    const auto config = platform::IniFile::Read(ConfigFilePath());
    m_volume = Decimal(config.String(kSettings, u"Volume", QStringLiteral("100")));
    // Only 1 turns a flag on: "2" or "true" do not.
    m_mute = config.Int(kSettings, u"Mute", 0) == 1;
    m_topMost = config.Int(kSettings, u"TopMost", 0) == 1;
    m_language = config.String(kSettings, u"Language", QStringLiteral("lan_en.xml"));

    // Every section is an entry, however many there are.
    const auto progress = platform::IniFile::Read(ProgressFilePath());
    const QString absent = QStringLiteral("<no such key>");
    m_onDisk.clear();
    for (const QString& key : progress.SectionNames()) {
        const ResumeEntry entry{Decimal(progress.String(key, u"progress", QStringLiteral("0"))),
                                progress.Int(key, u"x", -1), progress.Int(key, u"y", -1),
                                progress.Int(key, u"w", 0), progress.Int(key, u"h", 0)};
        m_resume.insert_or_assign(key, entry);
        // A section missing some of the keys is written whole at the next save.
        bool complete = true;
        for (const char16_t* name : {u"progress", u"x", u"y", u"w", u"h"})
            complete = complete && progress.String(key, name, absent) != absent;
        if (complete) m_onDisk.insert_or_assign(key, entry);
    }
}

bool SettingsStore::Save() {
    const bool configSaved =
        platform::IniFile::Update(ConfigFilePath(), [this](platform::IniFile& file) {
            file.SetValue(kSettings, u"Volume", Fixed(m_volume, 1));
            file.SetValue(kSettings, u"Mute", m_mute ? u"1" : u"0");
            file.SetValue(kSettings, u"TopMost", m_topMost ? u"1" : u"0");
            file.SetValue(kSettings, u"Language", m_language);
        });
    const bool progressSaved =
        platform::IniFile::Update(ProgressFilePath(), [this](platform::IniFile& file) {
            for (const auto& [key, entry] : m_resume) {
                const auto known = m_onDisk.find(key);
                if (known != m_onDisk.end() && known->second == entry) continue;
                file.SetValue(key, u"progress", Fixed(entry.progress, 3));
                file.SetValue(key, u"x", Integer(entry.x));
                file.SetValue(key, u"y", Integer(entry.y));
                file.SetValue(key, u"w", Integer(entry.w));
                file.SetValue(key, u"h", Integer(entry.h));
            }
        });
    if (progressSaved) m_onDisk = m_resume;
    return configSaved && progressSaved;
}

ResumeEntry& SettingsStore::EntryFor(const QString& path) { return m_resume[ResumeKey(path)]; }

ResumeEntry* SettingsStore::FindEntry(const QString& path) {
    const auto found = m_resume.find(ResumeKey(path));
    return found == m_resume.end() ? nullptr : &found->second;
}

void SettingsStore::EraseEntry(const QString& path) { m_resume.erase(ResumeKey(path)); }
