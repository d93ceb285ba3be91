#include "runtime/ModuleList.h"
#include "runtime/Exception.h"
#include "support/FormResourceFiles.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace lumotrix;

namespace {

QByteArray ResourcesWith(const QString& text, const QByteArray& formName) {
    TResourceFile file =
        test::FormResourceFile({{QString::fromLatin1(formName), "TPF0" + formName}});
    file.SetString(65530, text);
    return file.ToBytes();
}

const unsigned char* Raw(const QByteArray& bytes) {
    return reinterpret_cast<const unsigned char*>(bytes.constData());
}

// Puts the head module back as the test found it.
struct THeadRestorer {
    ~THeadRestorer() {
        TModuleList::Instance().SetProgramResources(nullptr, 0);
        TModuleList::Instance().Head().SetResourceFile(nullptr);
    }
};

} // namespace

TEST(ModuleList, HeadIsTheRunningProgramWithoutResources) {
    TModule& head = TModuleList::Instance().Head();
    EXPECT_EQ(head.FileName(), QFile::symLinkTarget(QStringLiteral("/proc/self/exe")));
    EXPECT_TRUE(head.UsesOwnResources());
    EXPECT_TRUE(head.Resources().IsEmpty());
    EXPECT_EQ(head.FindRCData(QStringLiteral("TForm1")), nullptr);
    EXPECT_EQ(LoadResString(65530), QString());
    EXPECT_EQ(TModuleList::Instance().Modules().first(), &head);
}

TEST(ModuleList, LoadedResourceFileReplacesTheEmbeddedResources) {
    THeadRestorer restore;
    static const QByteArray embedded = ResourcesWith(QStringLiteral("Salvata"), "TFORM1");
    const TEmbeddedResources registrar(Raw(embedded), std::size_t(embedded.size()));
    TModule& head = TModuleList::Instance().Head();
    EXPECT_EQ(LoadResString(65530), QStringLiteral("Salvata"));
    ASSERT_NE(head.FindRCData(QStringLiteral("TForm1")), nullptr);
    EXPECT_EQ(*head.FindRCData(QStringLiteral("tform1")), QByteArray("TPF0TFORM1"));

    auto german = std::make_unique<TResourceFile>(TResourceFile::FromBytes(
        ResourcesWith(QStringLiteral("Gespeichert"), "TFORM2"), QStringLiteral("x.DEU")));
    const TResourceFile* loaded = german.get();
    head.SetResourceFile(std::move(german));
    EXPECT_FALSE(head.UsesOwnResources());
    EXPECT_EQ(head.ResourceFile(), loaded);
    EXPECT_EQ(LoadResString(65530), QStringLiteral("Gespeichert"));
    // Only the source in force is searched.
    EXPECT_EQ(head.FindRCData(QStringLiteral("TForm1")), nullptr);
    EXPECT_NE(head.FindRCData(QStringLiteral("TForm2")), nullptr);
    EXPECT_EQ(head.OwnResources().LoadString(65530), QStringLiteral("Salvata"));

    head.SetResourceFile(nullptr);
    EXPECT_TRUE(head.UsesOwnResources());
    EXPECT_EQ(LoadResString(65530), QStringLiteral("Salvata"));
}

TEST(ModuleList, FurtherModulesKeepTheirOwnResources) {
    static const QByteArray packageData = ResourcesWith(QStringLiteral("Pacchetto"), "TFRAME1");
    TModuleList& list = TModuleList::Instance();
    TModule& package = list.AddModule(QStringLiteral("/opt/lumotrix/package.so"), Raw(packageData),
                                      std::size_t(packageData.size()));
    TModule& bare = list.AddModule(QStringLiteral("/opt/lumotrix/bare.so"));
    const QList<TModule*> modules = list.Modules();
    ASSERT_GE(modules.size(), 3);
    EXPECT_EQ(modules[modules.size() - 2], &package);
    EXPECT_EQ(modules.last(), &bare);
    EXPECT_EQ(list.FindModule(QStringLiteral("/opt/lumotrix/package.so")), &package);
    EXPECT_EQ(package.LoadString(65530), QStringLiteral("Pacchetto"));
    EXPECT_NE(package.FindRCData(QStringLiteral("TFrame1")), nullptr);
    EXPECT_TRUE(bare.Resources().IsEmpty());
    EXPECT_EQ(LoadResString(65530), QString()); // the program's strings only

    list.RemoveModule(package);
    list.RemoveModule(bare);
    EXPECT_EQ(list.FindModule(QStringLiteral("/opt/lumotrix/package.so")), nullptr);
    EXPECT_EQ(list.Modules().size(), modules.size() - 2);
}

TEST(ModuleList, DamagedEmbeddedResourcesAreReportedOnUse) {
    static const QByteArray damaged = ResourcesWith(QStringLiteral("x"), "T").left(40);
    TModuleList& list = TModuleList::Instance();
    TModule& module =
        list.AddModule(QStringLiteral("damaged.so"), Raw(damaged), std::size_t(damaged.size()));
    EXPECT_THROW(module.LoadString(1), EReadError);
    list.RemoveModule(module);
}
