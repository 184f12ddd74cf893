// Throughput of the phone link's packet and listing code, without a port.
#include "CObexRequestGET.h"
#include "CObexResponse.h"
#include "FolderListing.h"
#include "ObexPacket.h"

#include <benchmark/benchmark.h>

namespace {

QByteArray BodyResponse(int payload)
{
    QByteArray packet;
    const int total = 3 + 3 + payload;
    packet.append(char(0x90)).append(char(total >> 8)).append(char(total & 0xFF));
    packet.append(char(0x48)).append(char((payload + 3) >> 8)).append(char((payload + 3) & 0xFF));
    packet.append(QByteArray(payload, 'v'));
    return packet;
}

void BM_BuildGetPacket(benchmark::State &state)
{
    CObexRequestGET get;
    CObexOptionalHeader id(0xCB);
    id.SetBytes(QByteArray("\0\0\0\x2a", 4));
    CObexOptionalHeader name(0x01);
    name.SetUnicode(QStringLiteral("name_card_0001.vcf"));
    get.headers = {id, name};
    CBuffer out;
    for (auto _ : state) {
        ObexPacket::BuildPacket(get, out);
        benchmark::DoNotOptimize(out.Data());
    }
}
BENCHMARK(BM_BuildGetPacket);

// A phone book arrives as a run of full-size Continue packets.
void BM_ParseAndAppendBodies(benchmark::State &state)
{
    const QByteArray packet = BodyResponse(0x3000 - 6);
    const int packets = int(state.range(0));
    for (auto _ : state) {
        CBuffer book;
        for (int i = 0; i < packets; ++i) {
            CObexResponse response;
            ObexPacket::ParsePacket(reinterpret_cast<const uint8_t *>(packet.constData()),
                                    size_t(packet.size()), response);
            ObexPacket::AppendBody(response, book);
        }
        benchmark::DoNotOptimize(book.Data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * packets * packet.size());
}
BENCHMARK(BM_ParseAndAppendBodies)->Arg(1)->Arg(450);

void BM_ParseFolderListing(benchmark::State &state)
{
    QByteArray xml = "<?xml version=\"1.0\"?>\n<!DOCTYPE folder-listing SYSTEM \"obex-folder-listing.dtd\">\n"
                     "<folder-listing version=\"1.0\"><parent-folder/>";
    for (int i = 0; i < state.range(0); ++i)
        xml += "<file name=\"card" + QByteArray::number(i) + ".vcf\" created=\"20070102T101010\" size=\"" +
               QByteArray::number(100 + i) + "\"/>";
    xml += "</folder-listing>";
    CSoftbankObexObjectArray entries;
    for (auto _ : state) {
        ParseFolderListing(xml, entries);
        benchmark::DoNotOptimize(entries.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * xml.size());
}
BENCHMARK(BM_ParseFolderListing)->Arg(10)->Arg(1000);

} // namespace

BENCHMARK_MAIN();
