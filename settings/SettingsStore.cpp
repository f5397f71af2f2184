#include "settings/SettingsStore.h"

#include <QFile>
#include <array>
#include <charconv>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/IniFile.h"
#include "platform/PrivateFolder.h"
#include "settings/ResumeKey.h"
#include "settings/SettingsFolder.h"

namespace {

constexpr char16_t kSettings[] = u"Settings";
// The keys of a resume entry's section, in the order they are written.
constexpr std::array<const char16_t*, 5> kEntryKeys = {u"progress", u"x", u"y", u"w", u"h"};
// Keys an entry has only once the user chose something for the file; written after those.
constexpr char16_t kAudioKey[] = u"audio";
constexpr char16_t kSubtitleDelayKey[] = u"subdelay";

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
double Decimal(QStringView text) {
    // Only ASCII can be part of a number, so the text is read up to its first other
    // character, and no further than a double's longest decimal spelling needs.
    std::array<char, 512> ascii{};
    size_t length = 0;
    while (length < ascii.size() && length < static_cast<size_t>(text.size()) &&
           text[static_cast<qsizetype>(length)].unicode() < 0x80) {
        ascii[length] = static_cast<char>(text[static_cast<qsizetype>(length)].unicode());
        ++length;
    }
    std::string_view digits(ascii.data(), length);
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
    platform::CreatePrivateFolder(m_folder);
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
    // Only 0 turns it off. Set by hand: saves leave the key as it is.
    m_autoNext = config.String(kSettings, u"AutoNext", QString()).trimmed() != u"0";
    m_language = config.String(kSettings, u"Language", QStringLiteral("lan_en.xml"));

    // Every section is an entry, however many there are.
    const auto progress = platform::IniFile::Read(ProgressFilePath());
    m_onDisk.clear();
    // Saves write sections in key order, so the end is the right place to insert, and the
    // hint makes each insertion take constant time.
    progress.ForEachSection([this](const platform::IniFile::SectionView& section) {
        std::array<std::optional<QString>, 5> values;
        bool complete = true;  // a section missing keys is written whole at the next save
        for (size_t i = 0; i < values.size(); ++i) {
            values[i] = section.Find(kEntryKeys[i]);
            complete = complete && values[i].has_value();
        }
        const auto integer = [&](size_t i, int fallback) {
            return values[i] ? platform::IniFile::ToInt(*values[i], fallback) : fallback;
        };
        const std::optional<QString> delay = section.Find(kSubtitleDelayKey);
        const ResumeEntry entry{Decimal(values[0] ? QStringView(*values[0]) : QStringView(u"0")),
                                integer(1, -1),
                                integer(2, -1),
                                integer(3, 0),
                                integer(4, 0),
                                section.Find(kAudioKey).value_or(QString()).trimmed(),
                                delay ? Decimal(*delay) : 0.0};
        m_resume.insert_or_assign(m_resume.end(), section.Name(), entry);
        if (complete) m_onDisk.insert_or_assign(m_onDisk.end(), section.Name(), entry);
    });
}

bool SettingsStore::Save() {
    const bool configSaved =
        platform::IniFile::Update(ConfigFilePath(), [this](platform::IniFile& file) {
            file.SetValue(kSettings, u"Volume", Fixed(m_volume, 1));
            file.SetValue(kSettings, u"Mute", m_mute ? u"1" : u"0");
            file.SetValue(kSettings, u"TopMost", m_topMost ? u"1" : u"0");
            file.SetValue(kSettings, u"Language", m_language);
        });
    // Both tables are in key order, so the entries that changed are found in one walk.
    std::vector<ResumeTable::const_iterator> changed;
    auto known = m_onDisk.cbegin();
    for (auto entry = m_resume.cbegin(); entry != m_resume.cend(); ++entry) {
        while (known != m_onDisk.cend() && known->first < entry->first) ++known;
        const bool same = known != m_onDisk.cend() && known->first == entry->first &&
                          known->second == entry->second;
        if (!same) changed.push_back(entry);
    }
    const bool progressSaved =
        platform::IniFile::Update(ProgressFilePath(), [&changed](platform::IniFile& file) {
            for (const auto& entry : changed) {
                const auto& [key, values] = *entry;
                file.SetValue(key, kEntryKeys[0], Fixed(values.progress, 3));
                file.SetValue(key, kEntryKeys[1], Integer(values.x));
                file.SetValue(key, kEntryKeys[2], Integer(values.y));
                file.SetValue(key, kEntryKeys[3], Integer(values.w));
                file.SetValue(key, kEntryKeys[4], Integer(values.h));
                // The optional keys go in once set, and are overwritten once there.
                if (!values.audio.isEmpty() || file.Contains(key, kAudioKey))
                    file.SetValue(key, kAudioKey, values.audio);
                if (values.subtitleDelay != 0.0 || file.Contains(key, kSubtitleDelayKey))
                    file.SetValue(key, kSubtitleDelayKey, Fixed(values.subtitleDelay, 3));
            }
        });
    if (progressSaved) {
        for (const auto& entry : changed) m_onDisk.insert_or_assign(entry->first, entry->second);
    }
    return configSaved && progressSaved;
}

ResumeEntry& SettingsStore::EntryFor(const QString& path) { return m_resume[ResumeKey(path)]; }

ResumeEntry* SettingsStore::FindEntry(const QString& path) {
    const auto found = m_resume.find(ResumeKey(path));
    return found == m_resume.end() ? nullptr : &found->second;
}

void SettingsStore::EraseEntry(const QString& path) { m_resume.erase(ResumeKey(path)); }
