#include "tools/discbuild/Images.h"

#include "tools/discbuild/FatWriter.h"
#include "tools/discbuild/Tools.h"

#include <cstdio>
#include <ctime>

namespace {

// Names go to the tools as UTF-8 whatever the caller's locale.
const std::vector<std::string> kUtf8 = {"LC_ALL=C.UTF-8"};

std::string Hex32(std::uint32_t v)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08x", v);
    return text;
}

// "2024010112000000", the form of xorriso's volume uuid.
std::string UuidTime(std::int64_t date)
{
    const std::time_t t = static_cast<std::time_t>(date);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d%H%M%S00", &tm);
    return text;
}

} // namespace

std::string WriteIso(const std::string& out, const ImageRequest& r)
{
    const std::string at = "=" + std::to_string(r.date);
    std::vector<std::string> argv = {
        "xorriso", "-no_rc", "-abort_on", "FAILURE", "-report_about", "UPDATE", "-local_charset", "UTF-8",
        "-outdev", "stdio:" + out, "-volid", r.volume, "-joliet", "on", "-rockridge", "on",
        "-compliance", "iso_9660_level=3", "-follow", "link",
        // One date on the volume and every file, owner root, fixed modes: the
        // same folder and date give the same bytes on any machine.
        "-volume_date", "uuid", UuidTime(r.date), "-volume_date", "c", at, "-volume_date", "m", at,
        "-volume_date", "f", at, "-volume_date", "all_file_dates", at, "-iso_nowtime", at,
        "-map", r.disc, "/"};
    for (const auto& [path, host] : r.staged)
        argv.insert(argv.end(), {"-map", host, "/" + path});
    argv.insert(argv.end(), {"-chown_r", "0", "/", "--", "-chgrp_r", "0", "/", "--", "-find", "/", "-type", "d",
                             "-exec", "chmod", "0555", "--", "-find", "/", "-type", "f", "-exec", "chmod", "0444",
                             "--", "-commit"});
    const ToolRun run = RunTool(argv, kUtf8, [&](const std::string& line) {
        // "xorriso : UPDATE : Writing:  24208s  7.9%  fifo 93% ...": the first percentage.
        const std::size_t writing = line.find("Writing:"), percent = line.find('%', writing);
        if (r.progress && writing != std::string::npos && percent != std::string::npos) {
            const std::size_t start = line.find_last_of(' ', percent);
            r.progress(std::atoi(line.c_str() + (start == std::string::npos ? 0 : start + 1)));
        }
    });
    return run.status == 0 ? "" : DescribeFailure("xorriso", run);
}

std::string WriteUsb(const std::string& out, const ImageRequest& r)
{
    std::vector<FatItem> items;
    std::uint64_t total = 0;
    for (const auto& e : r.entries) {
        items.push_back({e.path, e.folder, e.host, e.size});
        total += e.size;
    }
    const FatGeometry geometry = PlanFatImage(items);
    const ToolRun format = RunTool({"mkfs.fat", "-F", "32", "-S", "512", "-s", std::to_string(geometry.clusterBytes / 512),
                                    "-R", "32", "-f", "2", "-n", r.fatLabel.empty() ? "NO NAME" : r.fatLabel, "-i",
                                    Hex32(static_cast<std::uint32_t>(r.date)), "-C", out,
                                    std::to_string(geometry.imageKiB)},
                                   kUtf8);
    if (format.status != 0)
        return DescribeFailure("mkfs.fat", format);
    return WriteFatTree(out, items, r.fatLabel, r.date, [&](std::uint64_t done) {
        if (r.progress && total)
            r.progress(static_cast<int>(done * 100 / total));
    });
}

std::string ExtractIso(const std::string& image, const std::string& into)
{
    const ToolRun run = RunTool({"xorriso", "-no_rc", "-abort_on", "FAILURE", "-report_about", "WARNING",
                                 "-local_charset", "UTF-8", "-osirrox", "on", "-read_fs", "norock", "-indev",
                                 "stdio:" + image, "-extract", "/", into},
                                kUtf8);
    return run.status == 0 ? "" : DescribeFailure("xorriso (reading the image back)", run);
}

std::string ExtractUsb(const std::string& image, const std::string& into)
{
    const ToolRun run = RunTool({"mcopy", "-s", "-n", "-i", image, "::/", into}, {"LC_ALL=C.UTF-8", "MTOOLS_SKIP_CHECK=1"});
    return run.status == 0 ? "" : DescribeFailure("mcopy (reading the image back)", run);
}

std::string SignProgram(const std::string& in, const std::string& out, const std::string& pfx,
                        const std::string& passwordFile, std::int64_t date, const std::string& scratch)
{
    std::vector<std::string> sign = {"osslsigncode", "sign", "-pkcs12", pfx, "-h", "sha256", "-time",
                                     std::to_string(date), "-in", in, "-out", out};
    std::vector<std::string> certs = {"openssl", "pkcs12", "-in", pfx, "-nokeys", "-out", scratch + "/certs.pem"};
    if (!passwordFile.empty()) {
        sign.insert(sign.begin() + 4, {"-readpass", passwordFile});
        certs.insert(certs.end(), {"-passin", "file:" + passwordFile});
    } else {
        certs.insert(certs.end(), {"-passin", "pass:"});
    }
    const ToolRun signing = RunTool(sign);
    if (signing.status != 0)
        return DescribeFailure("osslsigncode (signing " + in + ")", signing);
    const ToolRun extract = RunTool(certs);
    if (extract.status != 0)
        return DescribeFailure("openssl (reading the certificates of " + pfx + ")", extract);
    const ToolRun verify = RunTool({"osslsigncode", "verify", "-in", out, "-CAfile", scratch + "/certs.pem"});
    if (verify.status != 0)
        return DescribeFailure("osslsigncode (verifying " + out + ")", verify);
    return "";
}
