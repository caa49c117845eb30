// Makes a folder of hostile files and names, and checks what the programs made
// of it. Driven by hostile.sh:
//   hostile_folder make <folder>                      writes the files under <folder>
//   hostile_folder sums <folder>                      prints a checksum line per file
//   hostile_folder probe <page>                       writes probe.html beside the page, prints its URL
//   hostile_folder check <folder> <copies> <dom> <problems>
//                                                     exits non-zero on any fault
// Every readable picture has a size of its own, so the browser's report of
// what an area opened tells which source that was.

#include "ListFiles/localpath.h"
#include "picture/jpegcodec.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QStringEncoder>
#include <QUrl>

#include <cstdio>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Readable
{
    QByteArray name; // relative to the folder, as bytes
    QSize size;
    const char *format;
};

struct Unreadable
{
    QByteArray name;
    QByteArray content;
};

QList<Readable> readables()
{
    return {
        {"plain.jpg", {40, 30}, "JPG"},
        {"a/same.jpg", {41, 30}, "JPG"},
        {"b/same.jpg", {42, 30}, "JPG"},
        {"blank 'apostrophe' \"quote\" & < > # % : ?.jpg", {43, 30}, "JPG"},
        {"new\nline.jpg", {44, 30}, "JPG"},
        {"bad\xff\xfeutf8.jpg", {45, 30}, "JPG"},
        {QByteArray(246, 'n') + ".jpg", {46, 30}, "JPG"},
        {"deep/er/%41&amp;#x.png", {47, 30}, "PNG"},
        {"UPPER.JPG", {48, 30}, "JPG"},
    };
}

QByteArray encoded(QSize size, const char *format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(20 + size.width(), 90, 160));
    if (qstrcmp(format, "JPG") == 0)
        return JpegCodec::encode(image, 90);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QList<Unreadable> unreadables()
{
    const QByteArray jpeg = encoded({64, 48}, "JPG");
    QByteArray corrupt = jpeg;
    for (qsizetype i = corrupt.size() / 2; i < corrupt.size() - 2; ++i)
        corrupt[i] = char(0xff);
    QByteArray bomb = jpeg;
    const qsizetype sof = bomb.indexOf("\xff\xc0");
    bomb[sof + 5] = char(0xfd), bomb[sof + 6] = char(0xe8), bomb[sof + 7] = char(0xfd), bomb[sof + 8] = char(0xe8);
    QByteArray pngBomb = encoded({4, 4}, "PNG");
    // IHDR width and height; libpng checks the chunk's CRC, so it is patched too.
    pngBomb[16] = 0, pngBomb[17] = 0, pngBomb[18] = char(0xea), pngBomb[19] = char(0x60);
    pngBomb[20] = 0, pngBomb[21] = 0, pngBomb[22] = char(0xea), pngBomb[23] = char(0x60);
    quint32 crc = 0xffffffffu;
    for (qsizetype i = 12; i < 29; ++i) {
        crc ^= quint8(pngBomb[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    crc = ~crc;
    for (int i = 0; i < 4; ++i)
        pngBomb[29 + i] = char(crc >> (24 - 8 * i));
    return {
        {"truncated.jpg", jpeg.left(jpeg.size() / 3)},
        {"corrupt.jpg", corrupt},
        {"empty.jpg", {}},
        {"png named.jpg", encoded({9, 9}, "PNG")},
        {"text named.png", "just some text\n"},
        {"bomb 65000x65000.jpg", bomb},
        {"bomb 60000x60000.png", pngBomb},
    };
}

const QByteArray FifoName = "fifo.jpg";

bool writeFile(const QByteArray &path, const QByteArray &bytes)
{
    const QByteArray folder = path.left(path.lastIndexOf('/'));
    for (qsizetype i = 1; i <= folder.size(); ++i) {
        if (i == folder.size() || folder[i] == '/')
            ::mkdir(folder.left(i).constData(), 0755);
    }
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && ok;
}

int make(const QByteArray &folder)
{
    for (const Readable &r : readables()) {
        if (!writeFile(folder + '/' + r.name, encoded(r.size, r.format)))
            return std::fprintf(stderr, "cannot write %s\n", r.name.constData()), 1;
    }
    for (const Unreadable &u : unreadables()) {
        if (!writeFile(folder + '/' + u.name, u.content))
            return std::fprintf(stderr, "cannot write %s\n", u.name.constData()), 1;
    }
    if (::mkfifo((folder + '/' + FifoName).constData(), 0644) != 0
        || ::symlink("..", (folder + "/a/up").constData()) != 0
        || ::symlink(".", (folder + "/b/here").constData()) != 0)
        return std::fprintf(stderr, "cannot make the fifo or the links\n"), 1;
    return 0;
}

// Every regular file below folder, not following links: hex of the name's bytes, then SHA-256.
void collectSums(const QByteArray &folder, const QByteArray &prefix, QList<QByteArray> &lines)
{
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const QByteArray path = folder + '/' + name;
        struct stat info {};
        if (::lstat(path.constData(), &info) != 0)
            continue;
        if (S_ISDIR(info.st_mode)) {
            collectSums(path, prefix + name + '/', lines);
        } else if (S_ISREG(info.st_mode)) {
            QCryptographicHash hash(QCryptographicHash::Sha256);
            const int fd = ::open(path.constData(), O_RDONLY);
            char buffer[65536];
            for (ssize_t n; fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0;)
                hash.addData(QByteArrayView(buffer, n));
            if (fd >= 0)
                ::close(fd);
            lines += (prefix + name).toHex() + ' ' + hash.result().toHex() + ' ' + QByteArray::number(qint64(info.st_mode));
        } else {
            lines += (prefix + name).toHex() + " special " + QByteArray::number(qint64(info.st_mode));
        }
    }
    ::closedir(dir);
}

int sums(const QByteArray &folder)
{
    QList<QByteArray> lines;
    collectSums(folder, {}, lines);
    std::sort(lines.begin(), lines.end());
    for (const QByteArray &line : lines)
        std::printf("%s\n", line.constData());
    return 0;
}

// Replaces window.open by a recorder, clicks every area, loads each opened
// URL as a picture and reports what it was, URI-encoded, in <pre id="probe">.
const char probeScript[] = R"js(
<script>
(function () {
  var out = document.createElement('pre');
  out.id = 'probe';
  var lines = [], pending = 0, opened = [];
  window.open = function (url) { opened.push(url); return { focus: function () {} }; };
  function finish() { if (pending === 0) out.textContent = lines.join('\n') + '\nEND\n'; }
  var areas = document.getElementsByTagName('area');
  lines.push('AREAS ' + areas.length);
  for (var i = 0; i < areas.length; ++i) {
    opened = [];
    areas[i].click();
    if (opened.length !== 1) { lines.push('AREA ' + i + ' opened ' + opened.length); continue; }
    var href = new URL(opened[0], document.baseURI).href;
    var index = lines.length;
    lines.push('');
    var img = document.createElement('img');
    (function (index, img, href) {
      var report = function (size) { lines[index] = 'AREA ' + encodeURIComponent(href) + ' ' + size; --pending; finish(); };
      img.onload = function () { report(img.naturalWidth + 'x' + img.naturalHeight); };
      img.onerror = function () { report('unreadable'); };
    })(index, img, href);
    ++pending;
    img.src = href;
    document.body.appendChild(img);
  }
  document.body.appendChild(out);
  finish();
})();
</script>
)js";

int probe(const QByteArray &page)
{
    const QByteArray probePath = page.left(page.lastIndexOf('/') + 1) + "probe.html";
    QFile in(LocalPath::fromNative(page)), out(LocalPath::fromNative(probePath));
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return std::fprintf(stderr, "cannot read the page or write the probe\n"), 1;
    const QByteArray content = in.readAll();
    // The script goes in the page's own encoding.
    QByteArray script = QByteArray(probeScript);
    if (content.startsWith("\xff\xfe")) {
        QStringEncoder toUtf16Le(QStringConverter::Utf16LE);
        script = toUtf16Le(QString::fromLatin1(probeScript));
    }
    out.write(content + script);
    std::printf("%s\n", QUrl::fromLocalFile(LocalPath::fromNative(probePath)).toString(QUrl::FullyEncoded).toUtf8().constData());
    return 0;
}

QByteArray readAll(const QByteArray &path)
{
    QFile file(LocalPath::fromNative(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int countFiles(const QByteArray &folder)
{
    int count = 0;
    if (DIR *dir = ::opendir(folder.constData())) {
        while (const dirent *entry = ::readdir(dir))
            count += entry->d_type == DT_REG ? 1 : 0;
        ::closedir(dir);
    }
    return count;
}

int check(const QByteArray &folder, const QByteArray &copies, const QByteArray &domPath, const QByteArray &problemsPath)
{
    QStringList faults;
    const QByteArray problems = readAll(problemsPath);

    // Every file that cannot be read is named, with a reason after the name.
    QList<QByteArray> unreadableNames;
    for (const Unreadable &u : unreadables())
        unreadableNames += u.name;
    unreadableNames += FifoName;
    for (const QByteArray &name : unreadableNames) {
        const QByteArray named = folder + '/' + name + ", ";
        const qsizetype at = problems.indexOf(named);
        if (at < 0 || at + named.size() >= problems.size() || problems[at + named.size()] == '\n')
            faults += QStringLiteral("not named with a reason: %1").arg(LocalPath::fromNative(name));
    }
    for (const Readable &r : readables()) {
        if (problems.contains(folder + '/' + r.name + ", "))
            faults += QStringLiteral("readable file named as a problem: %1").arg(LocalPath::fromNative(r.name));
    }

    // Each readable picture was copied once, and no copy took another's place.
    if (!copies.isEmpty() && countFiles(copies) != readables().size())
        faults += QStringLiteral("%1 copies for %2 readable pictures").arg(countFiles(copies)).arg(readables().size());

    const QString dom = QString::fromUtf8(readAll(domPath));
    const QRegularExpressionMatch block =
        QRegularExpression(QStringLiteral("<pre id=\"probe\">(.*)END\n</pre>"), QRegularExpression::DotMatchesEverythingOption)
            .match(dom);
    if (!block.hasMatch()) {
        faults += QStringLiteral("the probe reported nothing (script broken or page not loaded)");
    } else {
        QSet<QString> expected;
        for (const Readable &r : readables())
            expected += QStringLiteral("%1x%2").arg(r.size.width()).arg(r.size.height());
        QSet<QString> seen;
        int areas = 0;
        for (const QString &line : block.captured(1).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QStringList f = line.split(QLatin1Char(' '));
            if (f[0] == QLatin1String("AREAS")) {
                areas = f.value(1).toInt();
                continue;
            }
            const QString url = QUrl::fromPercentEncoding(f.value(1).toLatin1());
            const QString size = f.value(2);
            if (f.size() != 3 || !QUrl(url).isLocalFile()) {
                faults += QStringLiteral("area: %1").arg(line);
            } else if (expected.contains(size)) {
                if (seen.contains(size))
                    faults += QStringLiteral("two areas open the %1 picture").arg(size);
                seen += size;
                if (!copies.isEmpty() && !QUrl(url).toLocalFile().startsWith(LocalPath::fromNative(copies) + QLatin1Char('/')))
                    faults += QStringLiteral("area of the %1 picture does not open its copy: %2").arg(size, url);
            } else if (size == QLatin1String("unreadable")) {
                // Only a source named as unreadable may open as itself and show nothing.
                const QString file = QUrl(url).toLocalFile();
                bool own = false;
                for (const QByteArray &name : unreadableNames)
                    own = own || file == LocalPath::fromNative(folder + '/' + name);
                if (!own)
                    faults += QStringLiteral("area opens nothing the browser can show: %1").arg(url);
            }
        }
        for (const QString &size : expected - seen)
            faults += QStringLiteral("no area opens the %1 picture").arg(size);
        if (areas < readables().size())
            faults += QStringLiteral("%1 areas for %2 readable pictures").arg(areas).arg(readables().size());
    }

    for (const QString &fault : faults)
        std::fprintf(stderr, "FAIL: %s\n", fault.toUtf8().constData());
    if (faults.isEmpty())
        std::printf("hostile folder: every problem named, every area opens its own picture\n");
    return faults.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // Raw bytes: the folder's own names may not be UTF-8.
    QList<QByteArray> args;
    for (int i = 0; i < argc; ++i)
        args += QByteArray(argv[i]);
    if (args.size() == 3 && args[1] == "make")
        return make(args[2]);
    if (args.size() == 3 && args[1] == "sums")
        return sums(args[2]);
    if (args.size() == 3 && args[1] == "probe")
        return probe(args[2]);
    if (args.size() == 6 && args[1] == "check")
        return check(args[2], args[3], args[4], args[5]);
    std::fprintf(stderr, "usage: hostile_folder make|sums <folder> | probe <page> | check <folder> <copies> <dom> <problems>\n");
    return 2;
}
