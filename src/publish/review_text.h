#pragma once

#include "publish/publish_choices.h"

#include <QStringList>

namespace tivora::publish {

// The review of what a publish will do, line by line, as the wizard shows it before the run.
QStringList reviewText(const PublishChoices& choices);

} // namespace tivora::publish
