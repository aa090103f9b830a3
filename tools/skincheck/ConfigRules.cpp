// config.ini beside each verpick.exe: what verpick starts on each Windows.
#include "tools/skincheck/Rules.h"

#include "launcher/LaunchPlan.h"

void CheckConfig(const DiscModel& model, Findings& out)
{
    for (const LaunchPlan& plan : model.plans) {
        const ConfigFile& config = plan.config;
        const std::string section = launcher::kConfigSection;
        for (const LaunchPlan::Choice& choice : plan.choices) {
            const std::size_t line = config.LineFor(section, choice.key);
            const std::size_t whole = config.Raw(section, choice.key).size();
            if (whole > launcher::kConfigValueBufferChars - 1)
                out.Add(config, line, Severity::Warning, "config.entry-cut",
                        choice.key + " has " + std::to_string(whole) + " characters, and verpick reads only the first " +
                            std::to_string(launcher::kConfigValueBufferChars - 1));
            if (choice.value.empty())
                out.Add(config, line, choice.required ? Severity::Error : Severity::Warning, "config.no-entry",
                        "[" + section + "] has no entry for " + choice.key + ": verpick starts nothing on " +
                            choice.windows);
            else if (!choice.found)
                out.Add(config, line, Severity::Error, "config.not-found",
                        choice.key + " starts " + Quote(choice.value) + ", but no program of that name is on the disc");
        }
    }
}
