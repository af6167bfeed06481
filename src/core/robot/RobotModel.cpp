#include "core/robot/RobotModel.h"

#include <tinyxml.h>
#include <urdf_parser/urdf_parser.h>

#include <console_bridge/console.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <filesystem>
#include <map>
#include <mutex>
#include <regex>

#include "core/robot/XmlNesting.h"
#include "core/util/SafeFile.h"
#include "core/util/Translate.h"

namespace brv3::robot {
namespace {

// urdfdom reports what it refuses through a process-wide log; while it parses, the log goes here.
class CapturedLog : public console_bridge::OutputHandler {
 public:
  void log(const std::string& text, console_bridge::LogLevel level, const char*, int) override {
    if (level >= console_bridge::CONSOLE_BRIDGE_LOG_ERROR && first.empty()) first = text;
  }
  std::string first;
};

std::mutex& LogMutex() {
  static std::mutex mutex;
  return mutex;
}

urdf::ModelInterfaceSharedPtr ParseWithUrdfdom(const std::string& text, std::string& error) {
  std::lock_guard lock(LogMutex());
  CapturedLog log;
  console_bridge::useOutputHandler(&log);
  urdf::ModelInterfaceSharedPtr model;
  try {
    model = urdf::parseURDF(text);
  } catch (const std::exception& e) {
    if (log.first.empty()) log.first = e.what();
  }
  console_bridge::restorePreviousOutputHandler();
  error = log.first;
  return model;
}

Vec3 ToVec(const urdf::Vector3& v) {
  return {v.x, v.y, v.z};
}

// Roll, pitch and yaw of a unit quaternion, exact also near a pitch of +-90 degrees.
Vec3 ToRpy(const urdf::Rotation& q) {
  const double sinPitch = std::clamp(2 * (q.w * q.y - q.z * q.x), -1.0, 1.0);
  Vec3 rpy;
  rpy.y = std::asin(sinPitch);
  if (std::abs(sinPitch) > 1 - 1e-12) {
    rpy.x = 0;
    rpy.z = -2 * std::atan2(q.x, q.w) * (sinPitch > 0 ? 1 : -1);
  } else {
    rpy.x = std::atan2(2 * (q.w * q.x + q.y * q.z), 1 - 2 * (q.x * q.x + q.y * q.y));
    rpy.z = std::atan2(2 * (q.w * q.z + q.x * q.y), 1 - 2 * (q.y * q.y + q.z * q.z));
  }
  return rpy;
}

Origin ToOrigin(const urdf::Pose& pose) {
  return {ToVec(pose.position), ToRpy(pose.rotation)};
}

Geometry ToGeometry(const urdf::GeometrySharedPtr& g) {
  Geometry out;
  if (!g) return out;
  switch (g->type) {
    case urdf::Geometry::BOX:
      out.kind = GeometryKind::Box;
      out.size = ToVec(static_cast<const urdf::Box&>(*g).dim);
      break;
    case urdf::Geometry::CYLINDER: {
      const auto& c = static_cast<const urdf::Cylinder&>(*g);
      out.kind = GeometryKind::Cylinder;
      out.radius = c.radius;
      out.length = c.length;
      break;
    }
    case urdf::Geometry::SPHERE:
      out.kind = GeometryKind::Sphere;
      out.radius = static_cast<const urdf::Sphere&>(*g).radius;
      break;
    case urdf::Geometry::MESH: {
      const auto& m = static_cast<const urdf::Mesh&>(*g);
      out.kind = GeometryKind::Mesh;
      out.mesh = m.filename;
      out.scale = ToVec(m.scale);
      break;
    }
  }
  return out;
}

Link ToLink(const urdf::Link& link) {
  Link out;
  out.name = link.name;
  for (const auto& v : link.visual_array) {
    if (!v || !v->geometry) continue;
    Shape shape{v->name, ToOrigin(v->origin), ToGeometry(v->geometry)};
    if (v->material) {
      const urdf::Color& c = v->material->color;
      shape.hasColor = true;
      shape.rgba = {c.r, c.g, c.b, c.a};
    }
    out.visuals.push_back(std::move(shape));
  }
  for (const auto& c : link.collision_array) {
    if (!c || !c->geometry) continue;
    out.collisions.push_back({c->name, ToOrigin(c->origin), ToGeometry(c->geometry)});
  }
  return out;
}

Joint ToJoint(const urdf::Joint& joint) {
  Joint out;
  out.name = joint.name;
  switch (joint.type) {
    case urdf::Joint::REVOLUTE:
      out.type = JointType::Revolute;
      break;
    case urdf::Joint::CONTINUOUS:
      out.type = JointType::Continuous;
      break;
    case urdf::Joint::PRISMATIC:
      out.type = JointType::Prismatic;
      break;
    default:  // fixed; floating and planar joints have no servo and are shown where they rest
      out.type = JointType::Fixed;
      break;
  }
  out.parent = joint.parent_link_name;
  out.child = joint.child_link_name;
  out.origin = ToOrigin(joint.parent_to_joint_origin_transform);
  out.axis = ToVec(joint.axis);
  if (joint.limits && (out.type == JointType::Revolute || out.type == JointType::Prismatic)) {
    out.hasLimits = true;
    out.lower = joint.limits->lower;
    out.upper = joint.limits->upper;
  }
  return out;
}

// Links and joints from the root down, parents before children.
void TakeTree(const urdf::ModelInterface& source, RobotModel& model) {
  const urdf::LinkConstSharedPtr root = source.getRoot();
  model.rootLink = root->name;
  std::deque<urdf::LinkConstSharedPtr> queue{root};
  while (!queue.empty()) {
    const urdf::LinkConstSharedPtr link = queue.front();
    queue.pop_front();
    model.links.push_back(ToLink(*link));
    for (const auto& joint : link->child_joints) model.joints.push_back(ToJoint(*joint));
    for (const auto& child : link->child_links) queue.push_back(child);
  }
}

std::string Where(const std::string& source, int line) {
  return line > 0 ? source + ":" + std::to_string(line) + ": " : source + ": ";
}

// The line of the first <link> or <joint> whose name appears in brackets in urdfdom's message.
int LineOfNamedElement(const TiXmlElement* robot, const std::string& message) {
  static const std::regex bracketed(R"(\[([^\]]+)\])");
  std::smatch m;
  if (!robot || !std::regex_search(message, m, bracketed)) return 0;
  const std::string name = m[1];
  for (const TiXmlElement* e = robot->FirstChildElement(); e; e = e->NextSiblingElement()) {
    const char* n = e->Attribute("name");
    if (n && name == n && (e->ValueStr() == "link" || e->ValueStr() == "joint")) return e->Row();
  }
  return 0;
}

std::string ChildText(const TiXmlElement* parent, const char* name) {
  const TiXmlElement* e = parent ? parent->FirstChildElement(name) : nullptr;
  const char* text = e ? e->GetText() : nullptr;
  return text ? std::string(text) : std::string();
}

bool ParseNumber(std::string text, double& out) {
  text.erase(0, text.find_first_not_of(" \t\r\n"));
  text.erase(text.find_last_not_of(" \t\r\n") + 1);
  if (text.empty()) return false;
  try {
    size_t used = 0;
    out = std::stod(text, &used);
    return used == text.size() && std::isfinite(out);
  } catch (const std::exception&) {
    return false;
  }
}

// "CH1" .. "CH24"; 0 for anything else.
int ChannelOfActuator(const std::string& name) {
  static const std::regex pattern("CH([1-9]|1[0-9]|2[0-4])");
  std::smatch m;
  return std::regex_match(name, m, pattern) ? std::stoi(m[1]) : 0;
}

struct Mapping {
  ChannelJoint channel;
  int line = 0;
};

// Reads the transmissions; an empty text on success, else the message.
std::string ReadTransmissions(const TiXmlElement* robot, const RobotModel& model,
                              const std::string& source, std::vector<ChannelJoint>& out) {
  std::map<int, Mapping> byChannel;
  std::map<std::string, Mapping> byJoint;
  for (const TiXmlElement* t = robot->FirstChildElement("transmission"); t;
       t = t->NextSiblingElement("transmission")) {
    const int line = t->Row();
    const char* nameAttr = t->Attribute("name");
    const std::string label = nameAttr ? nameAttr : "";
    std::string type = ChildText(t, "type");
    if (type.empty() && t->Attribute("type")) type = t->Attribute("type");
    if (!type.empty() && type.find("SimpleTransmission") == std::string::npos)
      return Where(source, line) +
             Args(Tr("RobotModel",
                     "transmission '%1' is of type '%2'; only simple transmissions "
                     "(one joint, one actuator) can map a channel"),
                  {label, type});
    const TiXmlElement* joint = t->FirstChildElement("joint");
    const TiXmlElement* actuator = t->FirstChildElement("actuator");
    if (!joint || joint->NextSiblingElement("joint"))
      return Where(source, line) +
             Args(Tr("RobotModel", "transmission '%1' needs exactly one <joint>"), {label});
    if (!actuator || actuator->NextSiblingElement("actuator"))
      return Where(source, line) +
             Args(Tr("RobotModel", "transmission '%1' needs exactly one <actuator>"), {label});
    const std::string jointName = joint->Attribute("name") ? joint->Attribute("name") : "";
    const std::string actuatorName = actuator->Attribute("name") ? actuator->Attribute("name") : "";
    const int jointIndex = model.JointIndex(jointName);
    if (jointIndex < 0)
      return Where(source, joint->Row()) +
             Args(Tr("RobotModel",
                     "transmission '%1' names joint '%2', which the robot does not have"),
                  {label, jointName});
    if (model.joints[jointIndex].type == JointType::Fixed)
      return Where(source, joint->Row()) +
             Args(Tr("RobotModel",
                     "transmission '%1' drives joint '%2', which cannot move "
                     "(fixed, floating or planar)"),
                  {label, jointName});
    const int channel = ChannelOfActuator(actuatorName);
    if (channel == 0)
      return Where(source, actuator->Row()) +
             Args(Tr("RobotModel",
                     "transmission '%1': actuator name '%2' is not a servo channel CH1 .. CH24"),
                  {label, actuatorName});
    double reduction = 1;
    std::string reductionText = ChildText(actuator, "mechanicalReduction");
    if (reductionText.empty()) reductionText = ChildText(t, "mechanicalReduction");
    if (!reductionText.empty() && (!ParseNumber(reductionText, reduction) || reduction == 0))
      return Where(source, actuator->Row()) +
             Args(Tr("RobotModel",
                     "transmission '%1': mechanicalReduction '%2' is not a non-zero number"),
                  {label, reductionText});
    double offset = 0;
    const std::string offsetText = ChildText(joint, "offset");
    if (!offsetText.empty() && !ParseNumber(offsetText, offset))
      return Where(source, joint->Row()) +
             Args(Tr("RobotModel", "transmission '%1': offset '%2' is not a number"),
                  {label, offsetText});
    const Mapping mapping{{channel, jointName, reduction, offset}, line};
    if (const auto it = byChannel.find(channel); it != byChannel.end())
      return Where(source, line) +
             Args(Tr("RobotModel",
                     "transmission '%1' maps CH%2, which the transmission at line "
                     "%3 already maps to joint '%4'"),
                  {label, std::to_string(channel), std::to_string(it->second.line),
                   it->second.channel.joint});
    if (const auto it = byJoint.find(jointName); it != byJoint.end())
      return Where(source, line) +
             Args(Tr("RobotModel",
                     "transmission '%1' drives joint '%2', which CH%3 already drives (line %4)"),
                  {label, jointName, std::to_string(it->second.channel.channel),
                   std::to_string(it->second.line)});
    byChannel.emplace(channel, mapping);
    byJoint.emplace(jointName, mapping);
  }
  for (const auto& [channel, mapping] : byChannel) out.push_back(mapping.channel);
  return {};
}

RobotLoadResult Failure(std::string message) {
  RobotLoadResult result;
  result.error = std::move(message);
  return result;
}

}  // namespace

int LineBeyondNesting(const std::string& text, int limit) {
  int depth = 0;
  size_t i = 0;
  const auto skipPast = [&text, &i](const char* end) {
    const size_t at = text.find(end, i);
    i = at == std::string::npos ? text.size() : at + std::char_traits<char>::length(end);
  };
  while ((i = text.find('<', i)) != std::string::npos) {
    if (text.compare(i, 4, "<!--") == 0) {
      skipPast("-->");
    } else if (text.compare(i, 9, "<![CDATA[") == 0) {
      skipPast("]]>");
    } else if (text.compare(i, 2, "<?") == 0) {
      skipPast("?>");
    } else if (text.compare(i, 2, "<!") == 0 || text.compare(i, 2, "</") == 0) {
      if (text.compare(i, 2, "</") == 0) --depth;
      skipPast(">");
    } else {
      size_t j = i + 1;
      char quote = 0;
      for (; j < text.size(); ++j) {
        const char c = text[j];
        if (quote) {
          if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
          quote = c;
        } else if (c == '>') {
          break;
        }
      }
      if (j < text.size() && text[j - 1] != '/' && ++depth > limit)
        return 1 + static_cast<int>(std::count(text.begin(), text.begin() + i, '\n'));
      i = j;
    }
  }
  return 0;
}

int RobotModel::LinkIndex(const std::string& linkName) const {
  for (size_t i = 0; i < links.size(); ++i)
    if (links[i].name == linkName) return static_cast<int>(i);
  return -1;
}

int RobotModel::JointIndex(const std::string& jointName) const {
  for (size_t i = 0; i < joints.size(); ++i)
    if (joints[i].name == jointName) return static_cast<int>(i);
  return -1;
}

const ChannelJoint* RobotModel::ForChannel(int channel) const {
  for (const ChannelJoint& c : channels)
    if (c.channel == channel) return &c;
  return nullptr;
}

const char* JointTypeName(JointType type) {
  switch (type) {
    case JointType::Revolute:
      return "revolute";
    case JointType::Continuous:
      return "continuous";
    case JointType::Prismatic:
      return "prismatic";
    case JointType::Fixed:
      return "fixed";
  }
  return "fixed";
}

RobotLoadResult LoadRobotModelFromString(const std::string& text, const std::string& sourceName) {
  if (text.size() > kMaxRobotFileSize)
    return Failure(Where(sourceName, 0) +
                   Args(Tr("RobotModel", "the robot description is larger than %1 MB"),
                        {std::to_string(kMaxRobotFileSize >> 20)}));
  if (const int line = LineBeyondNesting(text, kMaxRobotNesting))
    return Failure(Where(sourceName, line) +
                   Args(Tr("RobotModel", "elements nest more than %1 levels deep"),
                        {std::to_string(kMaxRobotNesting)}));
  TiXmlDocument document;
  document.Parse(text.c_str(), nullptr, TIXML_ENCODING_UTF8);
  if (document.Error())
    return Failure(Where(sourceName, document.ErrorRow()) +
                   Args(Tr("RobotModel", "not well-formed XML (%1)"), {document.ErrorDesc()}));
  const TiXmlElement* robot = document.RootElement();
  if (!robot || robot->ValueStr() != "robot")
    return Failure(Where(sourceName, robot ? robot->Row() : 0) +
                   Tr("RobotModel", "no <robot> element: this is not a robot description"));
  std::string urdfError;
  const urdf::ModelInterfaceSharedPtr parsed = ParseWithUrdfdom(text, urdfError);
  if (!parsed || !parsed->getRoot()) {
    if (urdfError.empty()) urdfError = Tr("RobotModel", "the robot description cannot be read");
    return Failure(Where(sourceName, LineOfNamedElement(robot, urdfError)) + urdfError);
  }
  if (parsed->links_.size() > kMaxRobotLinks)
    return Failure(Where(sourceName, 0) +
                   Args(Tr("RobotModel", "the robot has %1 links; at most %2 can be shown"),
                        {std::to_string(parsed->links_.size()), std::to_string(kMaxRobotLinks)}));
  RobotModel model;
  model.name = parsed->getName();
  TakeTree(*parsed, model);
  if (std::string error = ReadTransmissions(robot, model, sourceName, model.channels);
      !error.empty())
    return Failure(std::move(error));
  RobotLoadResult result;
  result.model = std::move(model);
  return result;
}

RobotLoadResult LoadRobotModel(const std::string& path) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (!ec && size > kMaxRobotFileSize)
    return Failure(
        Where(path, 0) +
        Args(Tr("RobotModel", "the file is larger than %1 MB; a robot description never is"),
             {std::to_string(kMaxRobotFileSize >> 20)}));
  std::string error;
  std::optional<std::string> text = ReadWholeFile(path, &error);
  if (!text)
    return Failure(Where(path, 0) + Args(Tr("RobotModel", "cannot read the file (%1)"), {error}));
  RobotLoadResult result = LoadRobotModelFromString(*text, path);
  if (result.model) result.model->sourcePath = path;
  return result;
}

}  // namespace brv3::robot
