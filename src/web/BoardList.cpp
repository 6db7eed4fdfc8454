#include "web/BoardList.h"

#include "web/WebAnswers.h"

#include <QCoreApplication>
#include <QUrl>

QString boardLink(const QString& themeName)
{
    return QStringLiteral("/board?theme=") + QString::fromLatin1(QUrl::toPercentEncoding(themeName));
}

QByteArray boardListPage(const QList<HallTheme>& themes, const QString& missingName)
{
    const QByteArray title = htmlEscaped(QCoreApplication::translate("BoardList", "The hall's boards"));
    QByteArray page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
                      title +
                      "</title>\n<link rel=\"stylesheet\" href=\"/static/boards.css\">\n</head>\n<body>\n"
                      "<main>\n<h1>" +
                      title + "</h1>\n";
    if (!missingName.isEmpty())
        page += "<p class=\"missing\">" +
                htmlEscaped(QCoreApplication::translate("BoardList", "This hall has no board called \"%1\".")
                                .arg(missingName)) +
                "</p>\n";
    if (themes.isEmpty()) {
        page += "<p>" +
                htmlEscaped(QCoreApplication::translate(
                    "BoardList", "This hall has no display theme yet: the program offers one to the first "
                                 "administrator who logs in.")) +
                "</p>\n";
    } else {
        page += "<ul>\n";
        for (const HallTheme& theme : themes)
            page += "<li><a href=\"" + htmlEscaped(boardLink(theme.name)) + "\">" + htmlEscaped(theme.name) +
                    "</a></li>\n";
        page += "</ul>\n";
    }
    page += "</main>\n</body>\n</html>\n";
    return page;
}
