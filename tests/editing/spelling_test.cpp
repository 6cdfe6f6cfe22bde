// Spelling: which words are checked, which dictionary the desktop asks for,
// and real Hunspell dictionaries (hunspell-en-us, hunspell-de-de).
#include "base/ioerror.h"
#include "editing/speller.h"
#include "editing/spellrules.h"

#include <QFile>
#include <QMap>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(SpellWords, LettersWithInnerApostrophesAndNoNamesNumbersOrAddresses)
{
    const std::pair<const char16_t *, const char16_t *> cases[] = {
        {u"Ths is  korrect, isn't it?", u"Ths|is|korrect|isn't|it"},
        {u"don\u2019t 'quoted' Stra\u00dfe na\u0308ive", u"don\u2019t|quoted|Stra\u00dfe|na\u0308ive"},
        {u"3rd mp3 x2 42 abc", u"abc"},
        {u"see www.exampel.org or http://a.b/tyop and mailto:bbo@x.y ok", u"see|or|and|ok"},
        {u"notes.txt bob@exampel path/to a_b C:\\dir end. Next", u"C|end|Next"},
        {u"well-known \u4e2d\u6587", u"well|known|\u4e2d\u6587"},
    };
    for (const auto &[text, words] : cases) {
        const QString t = QString::fromUtf16(text);
        QStringList found;
        for (const jw::WordSpan &w : jw::spellWords(t))
            found << t.mid(w.start, w.length);
        EXPECT_EQ(found.join(u'|'), QString::fromUtf16(words)) << t.toStdString();
    }
}

TEST(DesktopLanguage, TheFirstVariableThatNamesADictionaryElseEnglish)
{
    const QStringList available{u"de_BE"_s, u"de_DE"_s, u"en_GB"_s, u"en_US"_s, u"fr_CA"_s};
    const std::pair<QMap<QString, QString>, QString> cases[] = {
        {{}, u"en_US"_s},
        {{{u"LANG"_s, u"de_DE.UTF-8"_s}}, u"de_DE"_s},
        {{{u"LANG"_s, u"de_AT.UTF-8@euro"_s}}, u"de_DE"_s},
        {{{u"LANGUAGE"_s, u"pt:fr:de"_s}, {u"LANG"_s, u"en_GB.UTF-8"_s}}, u"fr_CA"_s},
        {{{u"LC_ALL"_s, u"C"_s}, {u"LC_MESSAGES"_s, u"en_GB"_s}, {u"LANG"_s, u"de_DE"_s}}, u"en_GB"_s},
        {{{u"LC_ALL"_s, u"de-BE"_s}, {u"LANG"_s, u"en_GB"_s}}, u"de_BE"_s},
        {{{u"LANG"_s, u"pt_BR.UTF-8"_s}}, u"en_US"_s},
        {{{u"LANG"_s, u"POSIX"_s}, {u"LANGUAGE"_s, u":"_s}}, u"en_US"_s},
    };
    for (const auto &[variables, expected] : cases) {
        const auto env = [&vars = variables](const char *name) { return vars.value(QString::fromLatin1(name)); };
        EXPECT_EQ(jw::desktopLanguage(available, env), expected) << variables.value(u"LANG"_s).toStdString();
    }
    EXPECT_EQ(jw::desktopLanguage({u"de_DE"_s}, [](const char *) { return QString(); }), u"de_DE"_s);
    EXPECT_EQ((QStringList{jw::languageLabel(u"en_US"_s), jw::languageLabel(u"de"_s), jw::languageLabel(u"medical"_s)}),
              (QStringList{u"English (United States)"_s, u"German"_s, u"medical"_s}));
}

TEST(Speller, RealDictionariesOneOrSeveralWithTheUsersOwnWordsKeptOneALineAndIgnoredWords)
{
    const QList<jw::Dictionary> all = jw::findDictionaries(jw::systemDictionaryFolders());
    QList<jw::Dictionary> en, both;
    for (const jw::Dictionary &d : all)
        if (d.name == u"en_US" || d.name == u"de_DE")
            (d.name == u"en_US" ? en : both).append(d);
    ASSERT_EQ(en.size(), 1) << "needs hunspell-en-us";
    ASSERT_EQ(both.size(), 1) << "needs hunspell-de-de";
    both += en;

    jw::Speller speller;
    EXPECT_TRUE(speller.check(u"hosue"_s)) << "no dictionary: nothing is wrong";
    EXPECT_EQ(speller.load(en), QStringList());
    EXPECT_EQ((QList<bool>{speller.check(u"house"_s), speller.check(u"isn't"_s), speller.check(u"hosue"_s),
                           speller.check(u"Stra\u00dfe"_s)}),
              (QList<bool>{true, true, false, false}));
    const QStringList suggestions = speller.suggest(u"hosue"_s);
    EXPECT_TRUE(suggestions.contains(u"house"_s)) << suggestions.join(u' ').toStdString();
    EXPECT_LE(speller.suggest(u"tha"_s).size(), 7);

    speller.addOwnWords({u"Jotwell"_s});
    speller.ignore(u"qwzx"_s);
    EXPECT_EQ(speller.load(both), QStringList());
    EXPECT_EQ(speller.languages(), (QStringList{u"de_DE"_s, u"en_US"_s}));
    for (const QString &right : {u"Stra\u00dfe"_s, u"house"_s, u"Jotwell"_s, u"qwzx"_s})
        EXPECT_TRUE(speller.check(right)) << right.toStdString();
    EXPECT_FALSE(speller.check(u"Hauss"_s));
    EXPECT_TRUE(speller.suggest(u"Strase"_s).contains(u"Stra\u00dfe"_s));

    jw::Dictionary missing = en.front();
    missing.dic = u"no-such.dic"_s;
    EXPECT_EQ(speller.load({missing}), QStringList{u"en_US"_s});
    // The user's word list: one word a line, made with its folder.
    const QString path = u"config/jotwell/words.txt"_s;
    EXPECT_TRUE(jw::readWordList(path).isEmpty());
    jw::addToWordList(path, u"Jotwell"_s);
    jw::addToWordList(path, u"na\u00efve"_s);
    jw::addToWordList(path, u"Jotwell"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), u"Jotwell\nna\u00efve\n"_s);
    EXPECT_EQ(jw::readWordList(path), (QStringList{u"Jotwell"_s, u"na\u00efve"_s}));
    EXPECT_THROW(jw::addToWordList(path + u"/under-a-file.txt"_s, u"x"_s), jw::IoError);
}
