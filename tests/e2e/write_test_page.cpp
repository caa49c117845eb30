// Writes an image-map page over small generated images with awkward names,
// plus a probe copy of it that clicks every area in the browser, and checks
// what the browser reported. Driven by page_in_browser.sh:
//   write_test_page write <folder>        prints the probe page's URL
//   write_test_page check <folder> <dom>  exits non-zero on any mismatch

#include "compose/maprec.h"
#include "error.h"
#include "mappage/mappage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QUrl>

#include <cstdio>

namespace {

constexpr int sheetWidth = 321;
constexpr int sheetHeight = 123;

struct TestImage
{
    QString relativePath; // to the page's folder
    QSize size;
};

// Each image has its own size, so a link that opens the wrong file shows.
QList<TestImage> testImages()
{
    const QStringList names = {
        QStringLiteral("plain.png"),
        QStringLiteral("sub dir/my photo.png"),
        QStringLiteral("it's.png"),
        QStringLiteral("a&b.png"),
        QStringLiteral("n#1.png"),
        QStringLiteral("100%20.png"),
        QStringLiteral("why?.png"),
        QStringLiteral("c:x/a:b.png"),
        QStringLiteral("say\"hi\" <b>.png"),
        QStringLiteral("back\\slash').png"),
        QString::fromUtf8("Café/日本.png"),
        QStringLiteral("../sibling/Deeper/UPPER.PNG"),
    };
    QList<TestImage> images;
    for (qsizetype i = 0; i < names.size(); ++i)
        images += TestImage{names[i], QSize(20 + int(i), 10 + 2 * int(i))};
    return images;
}

QString sheetPath(const QString &folder)
{
    return QDir(folder).filePath(QString::fromUtf8("Sheet #1 & 'co' ü.jpg"));
}

QString probePath(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("probe.html"));
}

TMapRecs testRecords(const QString &folder)
{
    TMapRecs records;
    const QList<TestImage> images = testImages();
    for (qsizetype i = 0; i < images.size(); ++i) {
        const int n = int(i);
        records += TMapRec{n * 20, 5, 18, 18, QDir::cleanPath(QDir(folder).filePath(images[i].relativePath)),
                           300 + n, 200 + 3 * n};
    }
    return records;
}

// Replaces window.open by a recorder, clicks every area, loads each opened
// URL as a picture and reports everything, URI-encoded, in <pre id="probe">.
const char probeScript[] = R"js(
<script>
(function () {
  var out = document.createElement('pre');
  out.id = 'probe';
  var lines = [], pending = 0, opened = [];
  window.open = function (url, name, features) {
    opened.push([url, name, features]);
    return { focus: function () {} };
  };
  function finish() {
    if (pending === 0)
      out.textContent = lines.join('\n') + '\nEND\n';
  }
  var sheet = document.images[0];
  lines.push('SHEET ' + encodeURIComponent(sheet.src) + ' ' + sheet.getAttribute('width'));
  var areas = document.getElementsByTagName('area');
  lines.push('AREAS ' + areas.length);
  for (var i = 0; i < areas.length; ++i) {
    opened = [];
    areas[i].click();
    if (opened.length !== 1) {
      lines.push('AREA ' + i + ' opened ' + opened.length);
      continue;
    }
    var href = new URL(opened[0][0], document.baseURI).href;
    var index = lines.length;
    lines.push('');
    var img = document.createElement('img');
    (function (i, index, img, call, href) {
      var report = function (size) {
        lines[index] = ['AREA', i, encodeURIComponent(href), encodeURIComponent(call[0]),
                        encodeURIComponent(areas[i].title), encodeURIComponent(call[1]),
                        encodeURIComponent(call[2]), areas[i].coords, size].join(' ');
        --pending;
        finish();
      };
      img.onload = function () { report(img.naturalWidth + 'x' + img.naturalHeight); };
      img.onerror = function () { report('unreadable'); };
    })(i, index, img, opened[0], href);
    ++pending;
    img.src = href;
    document.body.appendChild(img);
  }
  document.body.appendChild(out);
  finish();
})();
</script>
)js";

bool writeImage(const QString &path, QSize size)
{
    QImage image(size, QImage::Format_RGB888);
    image.fill(Qt::darkCyan);
    return QDir().mkpath(QFileInfo(path).path()) && image.save(path, "PNG");
}

int write(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return 1;
    for (const TestImage &image : testImages()) {
        if (!writeImage(QDir::cleanPath(QDir(folder).filePath(image.relativePath)), image.size)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(image.relativePath));
            return 1;
        }
    }
    QImage sheet(sheetWidth, sheetHeight, QImage::Format_RGB888);
    sheet.fill(Qt::white);
    if (!sheet.save(sheetPath(folder), "JPEG")) {
        std::fprintf(stderr, "cannot write the sheet\n");
        return 1;
    }

    const QString page = MapPage::MakeMapFile(sheetPath(folder), sheetWidth, testRecords(folder));
    QFile pageFile(page);
    QFile probe(probePath(folder));
    if (!pageFile.open(QIODevice::ReadOnly) || !probe.open(QIODevice::WriteOnly))
        return 1;
    // The probe is the page byte for byte with the script after it, in the
    // same folder so that its relative links resolve the same way.
    QStringEncoder toUtf16Le(QStringConverter::Utf16LE);
    probe.write(pageFile.readAll() + QByteArray(toUtf16Le(QString::fromLatin1(probeScript))));
    std::printf("%s\n", qPrintable(QUrl::fromLocalFile(probePath(folder)).toString(QUrl::FullyEncoded)));
    return 0;
}

QString decoded(const QString &field)
{
    return QUrl::fromPercentEncoding(field.toLatin1());
}

int check(const QString &folder, const QString &domPath)
{
    QFile domFile(domPath);
    if (!domFile.open(QIODevice::ReadOnly))
        return 1;
    const QString dom = QString::fromUtf8(domFile.readAll());
    const QRegularExpressionMatch block =
        QRegularExpression(QStringLiteral("<pre id=\"probe\">(.*)END\n</pre>"),
                           QRegularExpression::DotMatchesEverythingOption)
            .match(dom);
    if (!block.hasMatch()) {
        std::fprintf(stderr, "FAIL: the probe reported nothing (script broken or page not loaded)\n");
        return 1;
    }

    QStringList problems;
    const TMapRecs records = testRecords(folder);
    const QList<TestImage> images = testImages();
    const QStringList lines = block.captured(1).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    int areasSeen = 0;
    for (const QString &line : lines) {
        const QStringList f = line.split(QLatin1Char(' '));
        if (f[0] == QLatin1String("SHEET")) {
            const QString file = QUrl(decoded(f.value(1))).toLocalFile();
            if (file != sheetPath(folder) || f.value(2) != QString::number(sheetWidth))
                problems += QStringLiteral("sheet: %1 width %2").arg(file, f.value(2));
        } else if (f[0] == QLatin1String("AREAS")) {
            if (f.value(1) != QString::number(records.size()))
                problems += QStringLiteral("%1 areas for %2 records").arg(f.value(1)).arg(records.size());
        } else if (f[0] == QLatin1String("AREA")) {
            const int i = f.value(1).toInt();
            ++areasSeen;
            if (f.size() != 9 || i < 0 || i >= records.size()) {
                problems += QStringLiteral("area %1: %2").arg(i).arg(line);
                continue;
            }
            const TMapRec &rec = records[i];
            const QString what = QStringLiteral("area %1 (%2)").arg(i).arg(images[i].relativePath);
            const QString file = QUrl(decoded(f[2])).toLocalFile();
            if (file != rec.FileName)
                problems += what + QStringLiteral(": opens %1").arg(file);
            if (decoded(f[4]) != decoded(f[3]))
                problems += what + QStringLiteral(": title %1").arg(decoded(f[4]));
            if (decoded(f[5]) != QLatin1String("mywin"))
                problems += what + QStringLiteral(": window %1").arg(decoded(f[5]));
            const QString size = QStringLiteral("width=%1,height=%2,").arg(rec.PopupWidth).arg(rec.PopupHeight);
            if (!decoded(f[6]).startsWith(size))
                problems += what + QStringLiteral(": pop-up %1").arg(decoded(f[6]));
            const QString coords = QStringLiteral("%1,%2,%3,%4")
                                       .arg(rec.Left)
                                       .arg(rec.Top)
                                       .arg(rec.Left + rec.Width)
                                       .arg(rec.Top + rec.Height);
            if (f[7] != coords)
                problems += what + QStringLiteral(": coords %1").arg(f[7]);
            const QString loaded = QStringLiteral("%1x%2").arg(images[i].size.width()).arg(images[i].size.height());
            if (f[8] != loaded)
                problems += what + QStringLiteral(": picture %1").arg(f[8]);
        }
    }
    if (areasSeen != records.size())
        problems += QStringLiteral("%1 areas reported for %2 records").arg(areasSeen).arg(records.size());

    for (const QString &problem : problems)
        std::fprintf(stderr, "FAIL: %s\n", qPrintable(problem));
    if (problems.isEmpty())
        std::printf("all %d areas open their pictures with their pop-up sizes\n", int(records.size()));
    return problems.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.size() == 3 && args[1] == QLatin1String("write"))
            return write(QDir::cleanPath(QDir::current().absoluteFilePath(args[2])));
        if (args.size() == 4 && args[1] == QLatin1String("check"))
            return check(QDir::cleanPath(QDir::current().absoluteFilePath(args[2])), args[3]);
    } catch (const PictoloomError &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
    std::fprintf(stderr, "usage: write_test_page write <folder> | check <folder> <dom-file>\n");
    return 2;
}
