// Which addresses in text are shown as links, and what opening them opens.
#include "editing/linkfinder.h"

#include <gtest/gtest.h>

using jw::findLinks;

TEST(FindLinks, AddressesEndBeforePunctuationAndBracketsTheyDidNotOpenAndNeverStartInsideAWord)
{
    // The text, the links' texts and what they open, each joined by '|'.
    const std::tuple<const char16_t *, const char16_t *, const char16_t *> cases[] = {
        {u"see http://example.com.", u"http://example.com", u"http://example.com"},
        {u"HTTPS://Example.com/a?b=c&d=e#f, then", u"HTTPS://Example.com/a?b=c&d=e#f",
         u"HTTPS://Example.com/a?b=c&d=e#f"},
        {u"(www.example.org/x)", u"www.example.org/x", u"http://www.example.org/x"},
        {u"[ftp://host/dir/]!", u"ftp://host/dir/", u"ftp://host/dir/"},
        {u"https://en.wikipedia.org/wiki/Tea_(drink)).", u"https://en.wikipedia.org/wiki/Tea_(drink)",
         u"https://en.wikipedia.org/wiki/Tea_(drink)"},
        {u"mailto:bob@example.com; or", u"mailto:bob@example.com", u"mailto:bob@example.com"},
        {u"\"http://a.b\" and 'www.c.d'", u"http://a.b|www.c.d", u"http://a.b|http://www.c.d"},
        {u"a http://x.y\u2028www.z.y\tftp://q", u"http://x.y|www.z.y|ftp://q", u"http://x.y|http://www.z.y|ftp://q"},
        {u"<http://\u00fcber.de/\u00e4>", u"http://\u00fcber.de/\u00e4", u"http://\u00fcber.de/\u00e4"},
        // inside words, or nothing after the prefix
        {u"xhttp://a.b awww.c.d bob@www.c.d 1www.e.f", u"", u""},
        {u"http:// www. http://... mailto:", u"", u""},
        {u"http:/a.b ww.c.d news://e", u"", u""},
    };
    for (const auto &[in, shownWant, urlsWant] : cases) {
        QStringList shown, urls;
        const QString text = QString::fromUtf16(in);
        for (const jw::FoundLink &link : findLinks(text)) {
            shown << text.mid(link.start, link.length);
            urls << link.url;
        }
        EXPECT_EQ(shown.join(u'|'), QString::fromUtf16(shownWant)) << text.toStdString();
        EXPECT_EQ(urls.join(u'|'), QString::fromUtf16(urlsWant)) << text.toStdString();
    }
}
