#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include "web/WebLimits.h"

// Reads a request's head as its bytes arrive, before the HTTP parser keeps any of it, and says
// whether it may go on: a request line or head over the limits, or a request that announces a body
// (the server reads none but a small form posted to a form path, see weblimits::isFormPath), is refused
// at its first bytes. A form's body is passed over here, byte by byte, up to its announced length.
class RequestHead
{
public:
    enum class Verdict {
        More,         // the head is not complete yet
        Complete,     // a whole head without a body: the parser may have it
        LineTooLong,  // 414
        HeadTooLarge, // 431
        BodyRefused,  // 413: a GET with a body, or a form over weblimits::MaxFormBody
        NotAllowed,   // 405: another method with a body
    };

    explicit RequestHead(int maxRequestLine = weblimits::MaxRequestLine,
                         int maxHeadBytes = weblimits::MaxHeadBytes)
        : m_maxLine(maxRequestLine), m_maxHead(maxHeadBytes)
    {
    }

    // Takes bytes up to the end of the head or up to a refusal; `used` tells how many. After Complete
    // the next bytes begin the next head (pipelined requests).
    Verdict feed(QByteArrayView bytes, qsizetype& used);
    // Some bytes of a head have come, not all of it.
    bool started() const { return m_headBytes > 0; }
    // The status that answers a refusal; 0 for More and Complete.
    static int status(Verdict v);

private:
    void reset();
    // The verdict of a complete line; More while the head goes on.
    Verdict endOfLine();

    int m_maxLine;
    int m_maxHead;
    qsizetype m_headBytes = 0;
    qsizetype m_lineBytes = 0;
    int m_lines = 0;
    QByteArray m_line; // the start of the current line, enough for a header's name and a length
    QByteArray m_method;
    QByteArray m_target; // the request line's path, without its query
    bool m_body = false;
    bool m_chunked = false;
    qint64 m_length = 0;   // the announced Content-Length
    qint64 m_bodyLeft = 0; // a form's body bytes still to pass over
};
