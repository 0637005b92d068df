#include "dense_lu_reference.h"
#include "machines/envelope_solver.h"
#include "machines/sparse_solver.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <numeric>
#include <random>

namespace zelkora::testing {
namespace {

using machines::EnvelopeLuFactors;
using machines::SparseCell;
using machines::SparseLuFactors;
using machines::SparseRows;

SparseRows sparseOf(const std::vector<double>& dense, std::size_t size) {
    SparseRows rows(size);
    for (std::size_t row = 0; row < size; ++row) {
        for (std::size_t column = 0; column < size; ++column) {
            if (dense[row * size + column] != 0) {
                rows[row].push_back(
                    {static_cast<std::uint32_t>(column), dense[row * size + column]});
            }
        }
    }
    return rows;
}

// The kinds of matrix the solvers meet, and some they should survive.
enum class Shape : std::uint8_t {
    kLine,        // I − M, each node moving on to the next (a 時短 counting down)
    kBand,        // I − M, moves to nodes a few places either side
    kChain,       // I − M, a few moves anywhere, cycles included
    kSmallWhole,  // small whole numbers: ties between pivots, exact cancellations, singular ones
    kOffDiagonal, // random cells larger off the diagonal than on it: pivoting everywhere
};

struct Sizes {
    std::size_t size;
    std::size_t columns;
};

class RandomMatrices {
public:
    explicit RandomMatrices(std::uint32_t seed) : random_(seed) {}

    std::vector<double> matrix(Shape shape, std::size_t size) {
        std::vector<double> dense(size * size, 0.0);
        const auto at = [&](std::size_t row, std::size_t column) -> double& {
            return dense[row * size + column];
        };
        std::vector<std::size_t> order(size); // the nodes in an order that hides the structure
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), random_);
        for (std::size_t row = 0; row < size; ++row) {
            switch (shape) {
            case Shape::kLine:
                at(order[row], order[row]) = 1;
                if (row + 1 < size) {
                    at(order[row], order[row + 1]) = -uniform(0, 0.99);
                }
                break;
            case Shape::kBand:
            case Shape::kChain: {
                at(order[row], order[row]) = 1;
                double left = uniform(0.01, 1);
                for (int move = 0; move < 3; ++move) {
                    const std::size_t to =
                        shape == Shape::kBand
                            ? std::clamp<std::size_t>(row + pick(5), 2, size + 1) - 2
                            : pick(size);
                    const double chance = uniform(0, left);
                    at(order[row], order[to]) -= chance;
                    left -= chance;
                }
                break;
            }
            case Shape::kSmallWhole:
                for (std::size_t column = 0; column < size; ++column) {
                    at(row, column) = pick(3) == 0 ? static_cast<double>(pick(5)) - 2 : 0.0;
                }
                break;
            case Shape::kOffDiagonal:
                for (std::size_t column = 0; column < size; ++column) {
                    at(row, column) = pick(2) == 0 ? uniform(-1, 1) * (row == column ? 0.1 : 1) : 0;
                }
                break;
            }
        }
        return dense;
    }

    // Right-hand sides with rows of 0 and rows filled in a stretch alone, as the chains' figures
    // have (a gap reaches few states).
    std::vector<double> sides(std::size_t size, std::size_t columns) {
        std::vector<double> values(size * columns, 0.0);
        for (std::size_t row = 0; row < size; ++row) {
            if (pick(3) == 0) {
                continue;
            }
            const std::size_t first = pick(columns);
            const std::size_t end = first + 1 + pick(columns - first);
            for (std::size_t column = first; column < end; ++column) {
                values[row * columns + column] = pick(4) == 0 ? 0.0 : uniform(-1000, 1000);
            }
        }
        return values;
    }

private:
    double uniform(double from, double to) {
        return std::uniform_real_distribution<double>(from, to)(random_);
    }
    std::size_t pick(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
    }

    std::mt19937 random_;
};

// Equal to the last bit: the theory's figures are printed with every digit.
void expectSameBits(const std::vector<double>& sparse, const std::vector<double>& dense,
                    const std::string& what) {
    ASSERT_EQ(sparse.size(), dense.size());
    for (std::size_t index = 0; index < sparse.size(); ++index) {
        ASSERT_EQ(std::bit_cast<std::uint64_t>(sparse[index]),
                  std::bit_cast<std::uint64_t>(dense[index]))
            << what << " at " << index << ": " << sparse[index] << " against " << dense[index];
    }
}

TEST(SparseSolver, sparse_and_envelope_factors_match_the_dense_ones_bit_for_bit) {
    const Shape shapes[] = {Shape::kLine, Shape::kBand, Shape::kChain, Shape::kSmallWhole,
                            Shape::kOffDiagonal};
    const Sizes sizes[] = {{1, 1}, {2, 3}, {5, 1}, {12, 4}, {40, 7}, {90, 2}};
    RandomMatrices random(20261210);
    int singular = 0;
    int solved = 0;
    for (const Shape shape : shapes) {
        for (const Sizes& size : sizes) {
            for (int trial = 0; trial < 12; ++trial) {
                const std::vector<double> matrix = random.matrix(shape, size.size);
                const std::string what = "shape " + std::to_string(static_cast<int>(shape)) +
                                         " size " + std::to_string(size.size) + " trial " +
                                         std::to_string(trial);
                DenseLuFactors dense;
                SparseLuFactors sparse;
                EnvelopeLuFactors envelope;
                const bool denseFactored = dense.factor(matrix, size.size);
                ASSERT_EQ(sparse.factor(sparseOf(matrix, size.size), size.size), denseFactored)
                    << what;
                ASSERT_EQ(envelope.factor(matrix, size.size), denseFactored) << what;
                if (!denseFactored) {
                    ++singular;
                    continue;
                }
                ++solved;
                const std::vector<double> sides = random.sides(size.size, size.columns);
                std::vector<double> denseSolution = sides;
                std::vector<double> sparseSolution = sides;
                std::vector<double> envelopeSolution = sides;
                dense.solve(denseSolution, size.columns);
                sparse.solve(sparseSolution, size.columns);
                envelope.solve(envelopeSolution, size.columns);
                expectSameBits(sparseSolution, denseSolution, "sparse, " + what);
                expectSameBits(envelopeSolution, denseSolution, "envelope, " + what);
            }
        }
    }
    // Both paths were taken: singular matrices refused alike, the others solved alike.
    EXPECT_GT(singular, 5);
    EXPECT_GT(solved, 300);
}

// 2x + y − z = 8, −3x − y + 2z = −11, −2x + y + 2z = −3: x = 2, y = 3, z = −1, which needs a
// row exchange at the first pivot; the second right-hand side is the first doubled.
TEST(SparseSolver, solves_with_row_exchanges_and_refuses_a_singular_matrix) {
    const std::vector<double> matrix{2, 1, -1, -3, -1, 2, -2, 1, 2};
    DenseLuFactors dense;
    ASSERT_TRUE(dense.factor(matrix, 3));
    SparseLuFactors sparse;
    ASSERT_TRUE(sparse.factor(sparseOf(matrix, 3), 3));
    EnvelopeLuFactors envelope;
    ASSERT_TRUE(envelope.factor(matrix, 3));
    const std::vector<double> expected{2, 4, 3, 6, -1, -2};
    std::vector<double> denseSides{8, 16, -11, -22, -3, -6};
    std::vector<double> sparseSides = denseSides;
    std::vector<double> envelopeSides = denseSides;
    dense.solve(denseSides, 2);
    sparse.solve(sparseSides, 2);
    envelope.solve(envelopeSides, 2);
    for (std::size_t index = 0; index < expected.size(); ++index) {
        EXPECT_NEAR(denseSides[index], expected[index], 1e-12) << index;
        EXPECT_NEAR(sparseSides[index], expected[index], 1e-12) << index;
        EXPECT_NEAR(envelopeSides[index], expected[index], 1e-12) << index;
    }
    EXPECT_FALSE(dense.factor({1, 2, 2, 4}, 2));
    EXPECT_FALSE(sparse.factor(sparseOf({1, 2, 2, 4}, 2), 2));
    EXPECT_FALSE(envelope.factor({1, 2, 2, 4}, 2));
    // A column with no cell at all.
    EXPECT_FALSE(sparse.factor(SparseRows{{{0, 1.0}}, {{0, 2.0}}}, 2));
}

// A chain whose moves step forward keeps factors as sparse as itself, which is what makes a
// converted limiter of hundreds of states quick; fill-in would cost a row per row. Solving
// (I − M)·x = 1 gives the expected nodes visited from each node, worked out below.
TEST(SparseSolver, factors_of_a_forward_chain_stay_as_sparse_as_the_chain) {
    using Moves = std::vector<std::pair<std::size_t, double>>;
    struct Case {
        std::string_view chain;
        std::size_t size;
        Moves (*moves)(std::size_t node, std::size_t size);
        std::size_t cells;
        std::size_t from;
        double visits;
    };
    const Case cases[] = {
        // 1000 spins counting down, going on with 0.99: a cell on the diagonal and one to the
        // next node. From the first node: 1 + 0.99 + … + 0.99^999 = (1 − 0.99^1000) ÷ 0.01.
        {"countdown", 1000,
         [](std::size_t node, std::size_t size) {
             return node + 1 < size ? Moves{{node + 1, 0.99}} : Moves{};
         },
         1999, 0, (1 - std::pow(0.99, 1000)) / 0.01},
        // The same counting up (every move to a lower node): the factors hold the same cells.
        {"count up", 1000,
         [](std::size_t node, std::size_t) {
             return node > 0 ? Moves{{node - 1, 0.99}} : Moves{};
         },
         1999, 999, (1 - std::pow(0.99, 1000)) / 0.01},
        // A 時短 whose every spin may also end in the first node (通常, which moves nowhere):
        // the first column is filled below the diagonal, nothing else. From node 1: each node
        // visits itself and the first node with 0.01, and goes on with 0.9, so
        // 1.01 (1 − 0.9^499) ÷ 0.1.
        {"countdown ending in the first node", 500,
         [](std::size_t node, std::size_t size) {
             if (node == 0) {
                 return Moves{};
             }
             return node + 1 < size ? Moves{{0, 0.01}, {node + 1, 0.9}} : Moves{{0, 0.01}};
         },
         3 * 500 - 3, 1, 1.01 * (1 - std::pow(0.9, 499)) / 0.1},
    };
    for (const Case& known : cases) {
        SparseRows rows(known.size);
        for (std::size_t node = 0; node < known.size; ++node) {
            machines::addToCell(rows[node], node, 1);
            for (const auto& [to, chance] : known.moves(node, known.size)) {
                machines::addToCell(rows[node], to, -chance);
            }
            machines::finishRow(rows[node]);
        }
        SparseLuFactors factors;
        ASSERT_TRUE(factors.factor(rows, known.size)) << known.chain;
        EXPECT_EQ(factors.storedCells(), known.cells) << known.chain;
        std::vector<double> visits(known.size, 1.0);
        factors.solve(visits, 1);
        EXPECT_NEAR(visits[known.from], known.visits, 1e-9) << known.chain;
    }
}

TEST(SparseSolver, a_gathered_row_sums_in_order_and_drops_cells_of_zero) {
    std::vector<SparseCell> row;
    machines::addToCell(row, 7, 1);
    machines::addToCell(row, 2, -0.25);
    machines::addToCell(row, 7, -0.1);
    machines::addToCell(row, 4, 0.5);
    machines::addToCell(row, 4, -0.5);
    machines::addToCell(row, 2, -0.25);
    machines::finishRow(row);
    ASSERT_EQ(row.size(), 2U);
    EXPECT_EQ(row[0].column, 2U);
    EXPECT_EQ(row[0].value, -0.5);
    EXPECT_EQ(row[1].column, 7U);
    EXPECT_EQ(row[1].value, 1 - 0.1); // in the order added, as the dense matrix sums
}

} // namespace
} // namespace zelkora::testing
