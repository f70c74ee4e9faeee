#include "platform/text/AnsiCodec.h"

#include <cerrno>
#include <iconv.h>

namespace lumera {

namespace {

// iconv descriptors are not thread-safe; each conversion opens its own. The open is cheap
// next to a file read.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (valid())
            iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

} // namespace

QString decodeAnsi(const QByteArray& bytes) {
    Iconv cd("UTF-16LE", "GB18030");
    if (!cd.valid())
        return QString::fromLatin1(bytes);
    QString out;
    out.reserve(bytes.size());
    char buffer[8192];
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t r = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(reinterpret_cast<const QChar*>(buffer), (outPtr - buffer) / 2);
        if (r == size_t(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ: a bad byte; EINVAL: a sequence cut off at the end. Replace one byte
            // and carry on from the next.
            out.append(QChar(QChar::ReplacementCharacter));
            ++in;
            --inLeft;
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

QByteArray encodeAnsi(const QString& text) {
    Iconv cd("GB18030", "UTF-16LE");
    if (!cd.valid())
        return text.toUtf8();
    QByteArray out;
    out.reserve(text.size() * 2);
    char buffer[8192];
    QString source = text;
    char* in = reinterpret_cast<char*>(source.data());
    size_t inLeft = size_t(source.size()) * 2;
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t r = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (r == size_t(-1)) {
            if (errno == E2BIG)
                continue;
            // A lone surrogate has no GB18030 form: write "?" as the ANSI functions did.
            out.append('?');
            in += 2;
            inLeft -= 2;
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

} // namespace lumera
