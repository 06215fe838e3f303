#pragma once
// TZonaUsuarios_Conexion: the update service's HTTP client. Downloads one address behind the
// progress window (through the proxy when one is set, certificates always verified), follows
// the service's own redirections ("HEADER"/"REDIRECT", at most six) and reads its answer as
// INI text.
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

namespace zmk {

// An answer of the service: "[SECTION]" headers and "KEY=value" lines. Read here rather than
// through QSettings, which takes commas for lists and backslashes for escapes in the values.
class TIniText {
  public:
    void Load(const QString& text);
    void Clear();
    bool IsEmpty() const { return sections_.isEmpty(); }
    bool HasSection(const QString& section) const;
    // Sections and keys without regard to case; def when missing.
    QString Value(const QString& section, const QString& key, const QString& def = {}) const;
    const QString& Text() const { return text_; }

  private:
    QMap<QString, QMap<QString, QString>> sections_;
    QString text_;
};

class TZonaUsuarios_Conexion {
  public:
    static constexpr int kMaxRedirecciones = 6;

    // An empty host: no proxy.
    void SetProxy(const QString& host, int port);
    // Milliseconds a download may take (30000); the tests shorten it.
    void SetTimeout(int ms) { timeout_ms_ = ms; }

    // The body of address; raises the connection error with its possible causes.
    QString Descarga(const QString& address);
    // Asks the service at address with query, following its redirections. Returns the last
    // answer; error gets the service's error text (or why it gave up). Raises when nothing at
    // all was received.
    TIniText Consulta(const QString& address, const QString& query, QString& error);

    // Every logged line goes here.
    std::function<void(const QString&)> log;

  private:
    void Log(const QString& line) const {
        if (log) log(line);
    }
    QString proxy_host_;
    int proxy_port_ = 0;
    int timeout_ms_ = 30000;
};

}  // namespace zmk
