#pragma once

#include <QHash>
#include <QString>

namespace lumera {

// Every outside address of the programs is a service name plus a fixed path. The table maps
// each service to its origin ("https://host", "http://127.0.0.1:8080", "file:///folder"),
// so a moved site can be repaired, and every test can point a service at its own server,
// without touching the paths.
//
// The defaults come from the program; $XDG_CONFIG_HOME/Lumera/sites.ini overrides any of
// them with lines "service=origin" (a bare host means "https://host"). Unknown services,
// section headers, comments (";" or "#") and lines that are not of that form are ignored.
class SiteTable {
public:
    SiteTable() = default;
    explicit SiteTable(QHash<QString, QString> defaults);

    // Reads overrides from a sites.ini file; a missing or unreadable file changes nothing.
    void loadOverrides(const QString& sitesIniPath);
    // Parses override lines (the contents of a sites.ini).
    void applyOverrides(const QString& text);
    void setOrigin(const QString& service, const QString& origin);

    // The origin of a service without a trailing slash; empty for an unknown service.
    QString origin(const QString& service) const;
    // origin + path; the path is used exactly as given (it starts with "/" or is empty), but
    // a folder path on a file: origin gets "index.html", which a web server would serve.
    QString url(const QString& service, const QString& path) const;
    bool contains(const QString& service) const { return origins_.contains(service); }
    QStringList services() const;

    static QString defaultSitesFile();

private:
    QHash<QString, QString> origins_;
};

// Normalises what a user wrote for a service: trims blanks and a trailing "/", and puts
// "https://" in front of a bare host. Returns empty text for something that is no origin.
QString normaliseOrigin(const QString& written);

} // namespace lumera
