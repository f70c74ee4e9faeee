#pragma once

#include "saver/modes/MoviePlayer.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <vector>

namespace lumera::saver {

// A player that plays nothing: it records what it was asked, in order, for tests.
class FakeMoviePlayer : public MoviePlayer {
public:
    explicit FakeMoviePlayer(QWidget* parent = nullptr) : widget_(new QWidget(parent)) {}

    QWidget* widget() override { return widget_; }
    void setBackgroundColor(quint32 colour) override {
        backgroundColor = colour;
        calls.append(QStringLiteral("BackgroundColor=%1").arg(colour));
    }
    void setMovie(const QString& path) override {
        movie = path;
        // What the file held when it was handed over: the working copy changes later.
        QFile file(path);
        movieBytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        calls.append(QStringLiteral("Movie"));
    }
    void play() override {
        ++plays;
        calls.append(QStringLiteral("Play"));
    }
    void setVisible(bool visible) override {
        this->visible = visible;
        calls.append(visible ? QStringLiteral("Visible=true") : QStringLiteral("Visible=false"));
    }

    quint32 backgroundColor = 0xFFFFFFFF;
    QString movie;
    QByteArray movieBytes;
    int plays = 0;
    bool visible = false;
    QStringList calls;

private:
    QWidget* widget_;
};

class FakeMoviePlayerFactory : public MoviePlayerFactory {
public:
    MoviePlayer* create(QWidget* parent) override {
        made.push_back(std::make_unique<FakeMoviePlayer>(parent));
        return made.back().get();
    }
    FakeMoviePlayer* last() const { return made.empty() ? nullptr : made.back().get(); }

    std::vector<std::unique_ptr<FakeMoviePlayer>> made;
};

} // namespace lumera::saver
