#include "cli/PortsCommand.h"

#include <algorithm>
#include <array>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/CliCommands.h"
#include "cli/CliLanguage.h"
#include "core/util/Translate.h"
#include "platform/ComPortName.h"
#include "platform/PortAccess.h"
#include "platform/SerialDevices.h"

namespace brv3::cli {

std::vector<PortListing> ListPorts(const std::vector<SerialAdapter>& adapters,
                                   const ProblemCheck& problem, const ComResolver& com) {
  std::vector<PortListing> ports;
  for (const PortEntry& entry : PortEntries(adapters)) {
    PortListing listing{entry, {}, {}, {}, {}};
    switch (entry.kind) {
      case PortEntry::Kind::Off:
        continue;
      case PortEntry::Kind::Adapter: {
        auto own = std::find_if(adapters.begin(), adapters.end(), [&](const SerialAdapter& a) {
          return AdapterPath(a) == entry.Path;
        });
        if (own != adapters.end()) listing.adapter = *own;
        listing.port = entry.Path;
        listing.device = listing.adapter.Device.empty() ? entry.Path : listing.adapter.Device;
        break;
      }
      case PortEntry::Kind::Com:
        listing.port = entry.Name;
        listing.device = com(entry.Com);
        break;
    }
    // An adapter is checked through the link it is opened by.
    listing.problem = problem(entry.kind == PortEntry::Kind::Com ? listing.device : listing.port);
    ports.push_back(std::move(listing));
  }
  return ports;
}

void PrintPorts(const std::vector<PortListing>& ports, std::ostream& out) {
  std::vector<std::array<std::string, 3>> rows{
      {Tr("PortsCommand", "ENTRY"), "--port", Tr("PortsCommand", "STATE")}};
  for (const PortListing& p : ports)
    rows.push_back({p.entry.Caption,
                    p.entry.kind == PortEntry::Kind::Com ? p.port + " -> " + p.device : p.port,
                    p.problem.empty() ? Tr("PortsCommand", "ok") : p.problem});
  // Columns line up on a terminal, where a Japanese character takes two places.
  size_t first = 0;
  size_t second = 0;
  for (const auto& row : rows) {
    first = std::max(first, DisplayWidth(row[0]));
    second = std::max(second, DisplayWidth(row[1]));
  }
  for (const auto& row : rows)
    out << row[0] << std::string(first + 2 - DisplayWidth(row[0]), ' ') << row[1]
        << std::string(second + 2 - DisplayWidth(row[1]), ' ') << row[2] << "\n";
}

void PrintPortsJson(const std::vector<PortListing>& ports, std::ostream& out) {
  auto list = nlohmann::ordered_json::array();
  for (const PortListing& p : ports) {
    nlohmann::ordered_json item;
    item["entry"] = p.entry.Caption;
    item["kind"] = p.entry.kind == PortEntry::Kind::Adapter ? "adapter" : "com";
    item["port"] = p.port;
    item["device"] = p.device;
    if (p.entry.kind == PortEntry::Kind::Adapter) {
      item["by_id"] = p.adapter.ById;
      item["vendor"] = p.adapter.Vendor;
      item["model"] = p.adapter.Model;
      item["serial"] = p.adapter.Serial;
    }
    item["usable"] = p.problem.empty();
    item["problem"] = p.problem;
    list.push_back(std::move(item));
  }
  out << list.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

void PrintPortNames(const std::vector<PortListing>& ports, std::ostream& out) {
  for (const PortListing& p : ports) out << p.port << "\n";
}

void AddPortsCommand(CLI::App& app, CommandList& commands) {
  auto* ports = app.add_subcommand(
      "ports",
      Tr("PortsCommand",
         "List the serial ports the editor's port list offers, and whether you can open them"));
  auto json = std::make_shared<bool>(false);
  auto names = std::make_shared<bool>(false);
  CLI::Option* jsonFlag =
      ports->add_flag("--json", *json, Tr("PortsCommand", "Print a JSON array"));
  ports
      ->add_flag("--names", *names,
                 Tr("PortsCommand", "Print only the values --port takes, one a line"))
      ->excludes(jsonFlag);
  commands.push_back({ports, [json, names] {
                        const auto listing =
                            ListPorts(platform::MakeUdevSerialDevices()->Enumerate(),
                                      platform::PortProblem, platform::ComPortPath);
                        if (*names)
                          PrintPortNames(listing, std::cout);
                        else if (*json)
                          PrintPortsJson(listing, std::cout);
                        else
                          PrintPorts(listing, std::cout);
                        return kExitOk;
                      }});
}

}  // namespace brv3::cli
