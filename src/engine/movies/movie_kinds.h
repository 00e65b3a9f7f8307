#pragma once

#include "engine/movies/movie_file.h"
#include "engine/scene/scene.h"

#include <QDir>

// The scene each kind of movie lays out. movieFolder is the folder the movie file lies in; movies
// that read other files (the engine reads Slide0.txt, the sample reads Slice.dat) find them there.
namespace tivora::engine {

Scene layoutBlankMovie(const MovieFile& movie);
Scene layoutMessageMovie(const MovieFile& movie);
Scene layoutEngineMovie(const MovieFile& movie, const QDir& movieFolder);
Scene layoutSampleMovie(const MovieFile& movie, const QDir& movieFolder);
Scene layoutLoopingGraphMovie(const MovieFile& movie, const QDir& movieFolder);
Scene layoutTutorialMovie(const MovieFile& movie, const QDir& movieFolder);
Scene layoutPublishedMovie(const MovieFile& movie, const QDir& movieFolder);

// How long each page of a tutorial shows: its "page" property, or 9 s when that is missing, under
// a second, over an hour or not a number.
Millis tutorialPageTime(const MovieFile& movie);
// The page of a tutorial of pageCount pages (at least one) shown at time: the pages turn every
// pageTime and start again after the last. A page's own start time shows that page.
std::size_t tutorialPageAt(Millis time, Millis pageTime, std::size_t pageCount);

// The stage a movie shows when it cannot play: a file that is missing or not a movie.
Scene layoutErrorMovie(const QString& message);

} // namespace tivora::engine
