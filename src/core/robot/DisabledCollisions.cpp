#include "core/robot/DisabledCollisions.h"

#include <tinyxml.h>

#include <filesystem>

#include "core/robot/XmlNesting.h"
#include "core/util/SafeFile.h"
#include "core/util/Translate.h"

namespace brv3::robot {
namespace {

DisabledCollisionsResult Failure(const std::string& source, int line, const std::string& what) {
  DisabledCollisionsResult result;
  result.error = (line > 0 ? source + ":" + std::to_string(line) + ": " : source + ": ") + what;
  return result;
}

}  // namespace

std::string SemanticFileBeside(const std::string& robotPath) {
  std::filesystem::path path(robotPath);
  path.replace_extension(".srdf");
  return path.string();
}

DisabledCollisionsResult ReadDisabledCollisions(const std::string& text, const RobotModel& model,
                                                const std::string& sourceName) {
  if (text.size() > kMaxRobotFileSize)
    return Failure(sourceName, 0,
                   Args(Tr("DisabledCollisions", "the file is larger than %1 MB"),
                        {std::to_string(kMaxRobotFileSize >> 20)}));
  if (const int line = LineBeyondNesting(text, kMaxRobotNesting))
    return Failure(sourceName, line,
                   Args(Tr("DisabledCollisions", "elements nest more than %1 levels deep"),
                        {std::to_string(kMaxRobotNesting)}));
  TiXmlDocument document;
  document.Parse(text.c_str(), nullptr, TIXML_ENCODING_UTF8);
  if (document.Error())
    return Failure(
        sourceName, document.ErrorRow(),
        Args(Tr("DisabledCollisions", "not well-formed XML (%1)"), {document.ErrorDesc()}));
  const TiXmlElement* robot = document.RootElement();
  if (!robot || robot->ValueStr() != "robot")
    return Failure(sourceName, robot ? robot->Row() : 0,
                   Tr("DisabledCollisions", "no <robot> element"));
  LinkPairSet pairs;
  for (const TiXmlElement* e = robot->FirstChildElement("disable_collisions"); e;
       e = e->NextSiblingElement("disable_collisions")) {
    const char* a = e->Attribute("link1");
    const char* b = e->Attribute("link2");
    if (!a || !b)
      return Failure(sourceName, e->Row(),
                     Tr("DisabledCollisions", "<disable_collisions> needs link1 and link2"));
    for (const char* name : {a, b})
      if (model.LinkIndex(name) < 0)
        return Failure(
            sourceName, e->Row(),
            Args(Tr("DisabledCollisions", "<disable_collisions> names the unknown link '%1'"),
                 {name}));
    std::string first = a;
    std::string second = b;
    if (second < first) std::swap(first, second);
    pairs.emplace(std::move(first), std::move(second));
  }
  DisabledCollisionsResult result;
  result.pairs = std::move(pairs);
  return result;
}

DisabledCollisionsResult LoadDisabledCollisionsBeside(const RobotModel& model) {
  DisabledCollisionsResult none;
  none.pairs.emplace();
  if (model.sourcePath.empty()) return none;
  const std::string path = SemanticFileBeside(model.sourcePath);
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return none;
  std::string error;
  const std::optional<std::string> text = ReadWholeFile(path, &error);
  if (!text)
    return Failure(path, 0, Args(Tr("DisabledCollisions", "cannot read the file (%1)"), {error}));
  return ReadDisabledCollisions(*text, model, path);
}

}  // namespace brv3::robot
