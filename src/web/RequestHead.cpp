#include "web/RequestHead.h"

namespace {

// Enough of a header line for its name and the value of a length.
constexpr qsizetype KeptOfLine = 128;

} // namespace

void RequestHead::reset()
{
    m_headBytes = 0;
    m_lineBytes = 0;
    m_lines = 0;
    m_line.clear();
    m_method.clear();
    m_target.clear();
    m_body = false;
    m_chunked = false;
    m_length = 0;
    m_bodyLeft = 0;
}

int RequestHead::status(Verdict v)
{
    switch (v) {
    case Verdict::LineTooLong:
        return 414;
    case Verdict::HeadTooLarge:
        return 431;
    case Verdict::BodyRefused:
        return 413;
    case Verdict::NotAllowed:
        return 405;
    case Verdict::More:
    case Verdict::Complete:
        break;
    }
    return 0;
}

RequestHead::Verdict RequestHead::feed(QByteArrayView bytes, qsizetype& used)
{
    used = 0;
    while (used < bytes.size()) {
        if (m_bodyLeft > 0) {
            const qint64 n = qMin<qint64>(m_bodyLeft, bytes.size() - used);
            used += n;
            m_bodyLeft -= n;
            if (m_bodyLeft == 0) {
                reset();
                return Verdict::Complete;
            }
            continue;
        }
        const char c = bytes[used++];
        // Empty lines before a request line are no part of any head.
        if (m_lines == 0 && m_lineBytes == 0 && (c == '\r' || c == '\n'))
            continue;
        ++m_headBytes;
        if (m_headBytes > m_maxHead)
            return Verdict::HeadTooLarge;
        if (c == '\n') {
            const Verdict v = endOfLine();
            if (v != Verdict::More)
                return v;
            continue;
        }
        ++m_lineBytes;
        if (m_lines == 0 && m_lineBytes > m_maxLine)
            return Verdict::LineTooLong;
        if (m_line.size() < KeptOfLine)
            m_line.append(c);
    }
    return Verdict::More;
}

RequestHead::Verdict RequestHead::endOfLine()
{
    QByteArray line = m_line;
    if (line.endsWith('\r'))
        line.chop(1);
    const bool first = m_lines == 0;
    ++m_lines;
    m_line.clear();
    m_lineBytes = 0;
    if (first) {
        const qsizetype space = line.indexOf(' ');
        m_method = line.left(space);
        m_target = line.mid(space + 1);
        m_target = m_target.left(m_target.indexOf(' '));
        if (m_target.contains('?'))
            m_target = m_target.left(m_target.indexOf('?'));
        return Verdict::More;
    }
    if (line.isEmpty()) {
        const bool body = m_body;
        const bool get = m_method == "GET";
        if (body && m_method == "POST" && !m_chunked &&
            weblimits::isFormPath(m_target.constData(), m_target.size())) {
            // A form: its body is read by the parser, up to the limit, and passed over here.
            if (m_length > weblimits::MaxFormBody) {
                reset();
                return Verdict::BodyRefused;
            }
            m_bodyLeft = m_length;
            return Verdict::More;
        }
        reset();
        if (!body)
            return Verdict::Complete;
        return get ? Verdict::BodyRefused : Verdict::NotAllowed;
    }
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0)
        return Verdict::More; // the parser judges it
    const QByteArray name = line.left(colon).trimmed().toLower();
    const QByteArray value = line.mid(colon + 1).trimmed();
    // Any announced body, also a length that is not a plain zero, is one the server will not read.
    if (name == "transfer-encoding" || (name == "content-length" && value != "0"))
        m_body = true;
    if (name == "transfer-encoding")
        m_chunked = true;
    if (name == "content-length") {
        bool ok = false;
        const qint64 n = value.toLongLong(&ok);
        // A length that cannot be read, or two that differ, is no form this server reads.
        if (!ok || n < 0 || (m_length > 0 && n != m_length))
            m_chunked = true;
        else
            m_length = n;
    }
    return Verdict::More;
}
