#pragma once

// Saving a design with its published files, and telling the user what a
// save or a build could not do.

#include <QString>
#include <string>
#include <vector>

namespace velmora {

class DesignSession;
struct PublishResult;

// Saves and publishes the design into the project's folder under the
// project's file name (SaveProjectAndPublish), then warns about images
// that could not be copied next to it. A value the generators refuse
// leaves the site as it was but still saves the project, and the user is
// told which field holds it. Errors raise, saying what was not saved.
void SaveAndPublishTo(DesignSession& session, const QString& projectPath);
void WarnAboutUncopiedImages(DesignSession& session, const PublishResult& result);
// Links the modern page's list shows as text, after a build or a save.
void WarnAboutPageLinks(DesignSession& session, const std::vector<std::string>& warnings);

}  // namespace velmora
