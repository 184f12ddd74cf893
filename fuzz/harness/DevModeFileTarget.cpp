#include "FuzzTargets.h"

#include "AppPaths.h"
#include "CDevMode.h"
#include "CPrint.h"
#include "CSettings.h"
#include "DevModeBlock.h"
#include "FuzzCheck.h"
#include "ScratchFolder.h"

#include <QFileInfo>

namespace Fuzz {

void DevModeFile(QByteArrayView input)
{
    const ScratchFolder folder(QStringLiteral("devmode_file"));
    const QString ini = folder.File(QStringLiteral("Tessaly.ini"));
    folder.Write(QFileInfo(AppPaths::DevModeFilePath(ini)).fileName(), input);
    CSettings settings;
    settings.ReadAll(ini);
    const QByteArray block = settings.print.DevMode;
    // Kept byte for byte when its length matches its header, else ignored.
    Check(block.isEmpty() || block == input, "device settings are kept byte for byte or not at all");
    Check(block.isEmpty() != DevModeBlock::IsValid(input.toByteArray()) || input.size() > 1024 * 1024,
          "exactly a well-formed block is kept");
    Check(DevModeBlock::IsValid(block) == !block.isEmpty(), "what is kept is well formed");
    if (!block.isEmpty()) {
        const QByteArray parts =
            DevModeBlock::Make(DevModeBlock::FixedPart(block), DevModeBlock::DriverExtra(block));
        Check(parts == block, "a block is its fixed part and its driver part");
    }

    CDevMode mode;
    if (CDevMode::Decode(block, &mode)) {
        Check(mode.Encode() == block, "decoded device settings encode as they were");
        const CDevMode page =
            CDevMode::ForPage(mode.PageSize(), mode.PageOrientation(), QString::fromUtf8(mode.model));
        CDevMode decoded;
        Check(CDevMode::Decode(page.Encode(), &decoded) && decoded == page,
              "device settings made for its paper decode as made");
    }

    // The print engine reads its paper from them.
    CPrint print;
    print.LoadFrom(settings.print);
    print.PaperSize();
    print.Orientation();
    const CPrintableArea area = print.Area();
    Check(area.paperWidth > 0 && area.paperHeight > 0, "the paper has a size");
    for (int i = 0; i < print.SealPaperInfo.size(); ++i)
        print.ApplySealPaperInfo(i);
    print.CheckMargins();

    // Written back beside the settings file, they are the same bytes.
    const QString rewritten = folder.File(QStringLiteral("Rewritten.ini"));
    Check(settings.WriteAll(rewritten), "the settings can be written");
    Check(ScratchFolder::Read(AppPaths::DevModeFilePath(rewritten)) == block,
          "device settings are written back byte for byte");
}

} // namespace Fuzz
